// The catalogue's tables, one per list and one per Part of the routines;
// catalogue.cpp puts them together.
#pragma once

#include <vector>

#include "catalogue/catalogue.h"

namespace vb::catalogue::tables {

const std::vector<Entry>& ApplicationEntries();
const std::vector<Entry>& UtilityEntries();
const std::vector<Entry>& InternetEntries();
const std::vector<Entry>& MultimediaEntries();
const std::vector<Entry>& WindowsEntries();
// Today's browsers and Windows traces, after the older ones of their lists.
const std::vector<Entry>& ChromiumEntries();
const std::vector<Entry>& FirefoxEntries();
const std::vector<Entry>& TodayWindowsEntries();

// Cover, Rar, AdAware, AdobeReader7.
const std::vector<engine::RoutineSteps>& ApplicationRoutines();
// FlashPlayer and the two parts of the Opera cleaner.
const std::vector<engine::RoutineSteps>& InternetRoutines();

}  // namespace vb::catalogue::tables
