// NetScape: the profile locator of the older Mozilla suite, which keeps each
// profile's data in a salted folder ("x1y2z3.slt") inside a profile folder of
// AppData\Mozilla\Profiles.
#pragma once

#include <string>
#include <vector>

#include "engine/steps.h"
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

  // The history file, every file of the cache folder and the cookie file,
  // as steps run over the context given; without a profile folder they do
  // nothing.
  void Delete_History(engine::StepContext& steps);
  void Delete_Cache(engine::StepContext& steps);
  void Delete_Cookies(engine::StepContext& steps);

 private:
  void FindSaltFolder(const std::string& folder);
  bool HasCookieFile(const std::string& path);
  void DeleteInProfile(engine::StepContext& steps, const std::string& folder,
                       std::vector<std::string> names, bool exact);

  platform::Platform& platform_;
  std::string profile_;
};

}  // namespace vb::browser
