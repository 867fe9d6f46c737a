#include "engine/routines.h"

#include <stdexcept>

namespace vb::engine {

namespace {

constexpr std::array<const char*, kRoutineCount> kNames = {
    "ClearIEDownloadDir", "IETemp",
    "History",         "ClearTypedURLs",    "Cookies",
    "Personalized",
    "Applications",    "Cover",             "Rar",
    "AdAware",         "AdobeReader7",      "FlashPlayer",
    "Opera (Cache)",   "Opera (Cookies)",   "Delete_Cache",
    "Delete_Cookies",  "Delete_Bookmarks",  "Delete_History",
    "Delete_DHistory", "Delete_SavedFormInfo",
};

}  // namespace

const char* RoutineName(Routine routine) { return kNames.at(static_cast<std::size_t>(routine)); }

void RoutineTable::Set(Routine routine, std::function<void()> body) {
  auto& slot = bodies_[Index(routine)];
  if (slot) throw std::logic_error(std::string("two implementations of ") + RoutineName(routine));
  slot = std::move(body);
}

void RoutineTable::Run(Routine routine) const {
  const auto& body = bodies_[Index(routine)];
  if (!body) throw std::logic_error(std::string("no implementation of ") + RoutineName(routine));
  body();
}

std::vector<Routine> RoutineTable::Missing() const {
  std::vector<Routine> missing;
  for (int i = 0; i < kRoutineCount; ++i)
    if (!bodies_[static_cast<std::size_t>(i)]) missing.push_back(static_cast<Routine>(i));
  return missing;
}

}  // namespace vb::engine
