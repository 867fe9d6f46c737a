// FireFox: finds the Firefox profile named first in "profiles.ini" once, when
// created, and clears one kind of its data per method through the removal
// routines, so that under Analyze they measure and log instead of deleting.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "engine/removal.h"

namespace vb::browser {

// Whether a profile path read from profiles.ini, taken as relative to the
// Firefox folder, names a place inside it: no drive, no leading separator, no
// component made only of dots and blanks but "." (Windows reads ".." and, with
// trailing dots and blanks dropped, "... " as the parent), no NUL.
[[nodiscard]] bool StaysInsideFirefoxFolder(std::string_view relative);

class FireFox {
 public:
  // Finds the profile (FindProfile). The removal context gives the platform,
  // the analysis flag and the file list File2 that ClearFile works with.
  explicit FireFox(engine::RemovalContext& removal);

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
    std::string roaming;  // AppData\Mozilla\Firefox\<relative path>
    std::string local;    // Local AppData\Mozilla\Firefox\<relative path>
    std::string roamingCache;
    std::string localCache;
    std::string historyFile;
  };

  void FindProfile();
  bool FolderExists(const std::string& folder);
  void ClearProfileFiles(std::initializer_list<const char*> patterns);

  engine::RemovalContext& removal_;
  // Empty when profiles.ini names a place outside the Firefox folder.
  std::optional<Profile> profile_;
};

}  // namespace vb::browser
