// NetScape: the profile locator of the older Mozilla suite, which keeps each
// profile's data in a salted folder ("x1y2z3.slt") inside a profile folder of
// AppData\Mozilla\Profiles.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vb::browser {

class NetScape {
 public:
  // Finds the profile folder (GetNSProfiles).
  explicit NetScape(platform::Platform& platform);

  // Looks in every profile folder for salted folders holding "Cookies.txt";
  // each one found becomes the profile folder, so the last one wins. Without
  // one the profile folder stays empty.
  void GetNSProfiles();

  // The profile folder + "\cache", "\history.dat", "\bookmarks.html".
  [[nodiscard]] std::string GetCachePath() const { return profile_ + "\\cache"; }
  [[nodiscard]] std::string GetHistoryFile() const { return profile_ + "\\history.dat"; }
  [[nodiscard]] std::string GetBookmarksFile() const { return profile_ + "\\bookmarks.html"; }

  // Plain deletions of the history file, every file of the cache folder and
  // the cookie file; without a profile folder they do nothing.
  void Delete_History();
  void Delete_Cache();
  void Delete_Cookies();

 private:
  void FindSaltFolder(const std::string& folder);
  bool HasCookieFile(const std::string& path);
  void DeleteInProfile(const std::string& pathOrPattern);

  platform::Platform& platform_;
  std::string profile_;
};

}  // namespace vb::browser
