// FireFox: finds the Firefox profile named first in "profiles.ini" once, when
// created, and clears one kind of its data per method, each a list of steps
// run by the one interpreter, so that under Analyze they measure and log
// instead of deleting.
#pragma once

#include <vector>
#include <optional>
#include <string>
#include <string_view>

#include "engine/steps.h"

namespace vb::browser {

// Whether a profile path read from profiles.ini, taken as relative to the
// Firefox folder, names a place inside it: no drive, no leading separator, no
// component made only of dots and blanks but "." (Windows reads ".." and, with
// trailing dots and blanks dropped, "... " as the parent), no NUL.
[[nodiscard]] bool StaysInsideFirefoxFolder(std::string_view relative);

// The profiles Firefox's profiles.ini names: the Path of every [Profile...]
// section and the Default of every [Install...] section, each once; none
// without the user's "AppData" value.
struct FirefoxProfiles {
  std::vector<std::string> inside;   // relative to the Firefox folder, "\" between names
  std::vector<std::string> outside;  // named by a whole path, or leading out: never cleaned
};
[[nodiscard]] FirefoxProfiles FindFirefoxProfiles(platform::Platform& platform);

class FireFox {
 public:
  // Finds the profile (FindProfile); the steps run over the context given.
  explicit FireFox(engine::StepContext& steps);

  // Deletes the history file; under Analyze nothing.
  void Delete_History();
  // Empties the roaming cache folder, then the local one, each if it exists.
  void Delete_Cache();
  // Each clears files of one name in the roaming profile folder, if it exists:
  // bookmarks.html and bookmarks.bak, cookies.txt, downloads.rdf, formhistory.dat.
  void Delete_Bookmarks();
  void Delete_Cookies();
  void Delete_DHistory();
  void Delete_SavedFormInfo();

 private:
  struct Profile {
    engine::Folder roaming;  // AppData\Mozilla\Firefox\<relative path>
    // Local AppData\Mozilla\Firefox\<relative path>; none without "Local AppData".
    std::optional<engine::Folder> local;
  };

  void FindProfile();
  void ClearProfileFiles(std::vector<std::string> names);
  void Run(std::vector<engine::Step> steps);

  engine::StepContext& steps_;
  // Empty without "AppData" or profiles.ini, or when profiles.ini names a
  // place outside the Firefox folder.
  std::optional<Profile> profile_;
};

}  // namespace vb::browser
