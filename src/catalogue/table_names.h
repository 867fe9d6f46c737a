// The short names the catalogue tables are written with: registry roots,
// Analyze modes and detection bases, so that each row reads like the target
// it writes down.
#pragma once

#include <string>

#include "catalogue/catalogue.h"
#include "platform/win_types.h"

namespace vb::catalogue::tables {

inline constexpr win::HKEY HKCU = win::kHkeyCurrentUser;
inline constexpr win::HKEY HKLM = win::kHkeyLocalMachine;
inline constexpr win::HKEY HKCR = win::kHkeyClassesRoot;

inline constexpr UnderAnalyze kRuns = UnderAnalyze::kRuns;
inline constexpr UnderAnalyze kSkipped = UnderAnalyze::kSkipped;
inline constexpr UnderAnalyze kPartly = UnderAnalyze::kPartly;
inline constexpr UnderAnalyze kNoCleaner = UnderAnalyze::kNoCleaner;

inline constexpr DetectBase kProgramFolder = DetectBase::kProgramFolder;
inline constexpr DetectBase kAppData = DetectBase::kAppData;
inline constexpr DetectBase kWindowsFolder = DetectBase::kWindowsFolder;
inline constexpr DetectBase kLocalAppData = DetectBase::kLocalAppData;

// A folder tail that stands for each Firefox profile profiles.ini names: the
// steps that hold it run once per profile, with the profile's relative path
// in its place.
inline constexpr const char* kProfileMark = "{profile}";
inline const std::string kFirefoxProfile = std::string("\\Mozilla\\Firefox\\") + kProfileMark;

}  // namespace vb::catalogue::tables
