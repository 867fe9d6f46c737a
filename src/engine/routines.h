// The cleaning routines, named by an enumeration: what more than one caller
// runs (the stages of the run, the Internet page's commands, the catalogue's
// entries) or what is written as code. Step lists and code implement them,
// and a check at start-up proves that every routine has exactly one
// implementation.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace vb::engine {

enum class Routine {
  // Internet Temporary: the download folder's value, then the files.
  kClearIEDownloadDir,
  kIETemp,
  // Internet Urls\History.
  kHistory,
  kClearTypedURLs,
  kCookies,
  // The user's own files, folders, registry keys and values.
  kPersonalized,
  // Third Party Applications: the stage, and the routines its entries call.
  kApplications,
  kCover,
  kRar,
  kAdAware,
  kAdobeReader7,
  kFlashPlayer,
  kOperaCache,    // the Opera cleaner with OperaCookies false
  kOperaCookies,  // the Opera cleaner with OperaCookies true
  kFirefoxCache,
  kFirefoxCookies,
  kFirefoxBookmarks,
  kFirefoxHistory,
  kFirefoxDownloadHistory,
  kFirefoxSavedFormInfo,
  kCount
};

inline constexpr int kRoutineCount = static_cast<int>(Routine::kCount);

// The routine's name, for messages.
const char* RoutineName(Routine routine);

// One implementation per routine, set once.
class RoutineTable {
 public:
  // Throws std::logic_error when the routine already has one: two
  // implementations of one routine are a fault of the program.
  void Set(Routine routine, std::function<void()> body);
  // Runs it; a routine without an implementation is a fault of the program
  // (start-up checks that none is missing) and throws std::logic_error.
  void Run(Routine routine) const;
  bool Has(Routine routine) const { return static_cast<bool>(bodies_[Index(routine)]); }
  // The routines that have no implementation.
  [[nodiscard]] std::vector<Routine> Missing() const;

 private:
  static std::size_t Index(Routine routine) { return static_cast<std::size_t>(routine); }
  std::array<std::function<void()>, kRoutineCount> bodies_;
};

}  // namespace vb::engine
