#include "engine/database_rows.h"

#include "engine/number_format.h"
#include "engine/steps.h"
#include "registry/settings_store.h"

namespace vb::engine {

using namespace vb::win;

std::vector<std::string> KeptCookieHosts(platform::Platform& platform) {
  std::vector<std::string> hosts;
  for (const std::string& url : registry::settings::ListEntries(platform, registry::settings::kCookies)) {
    // "Cookie:user@host/path": the host lies between the '@' and the first '/'.
    std::size_t at = url.find('@');
    if (at == std::string::npos) continue;
    std::string host = url.substr(at + 1, url.find('/', at + 1) - at - 1);
    if (!host.empty()) hosts.push_back(std::move(host));
  }
  return hosts;
}

namespace {

std::string Joined(const std::string& folder, const std::string& name) {
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

void Log(toolkit::ListBox& box, std::string line) {
  box.AddItem(std::move(line));
  box.SetListIndex(box.ListCount() - 1);
}

}  // namespace

void CleanDatabaseRows(RemovalContext& c, const Step& step) {
  platform::DatabaseWork work{step.statements, {}};
  if (step.keepsKeptCookies) work.keptHosts = KeptCookieHosts(c.platform);
  platform::FileSystemApi& files = c.platform.Files();
  c.places.ForEach(
      step.folder,
      [&](const OpenedFolder& found) {
        if (found.driveRoot || c.policy.Protected(found.handle, found.driveRoot)) {
          Refuse(c, found.path, "protected folder");
          return;
        }
        for (const std::string& name : step.patterns) {
          std::string path = Joined(found.path, name);
          platform::DatabaseOutcome outcome;
          LONG error = c.analyzeOnly
                           ? files.ProbeCleanEntryDatabase(found.handle, name, work, &outcome)
                           : files.CleanEntryDatabase(found.handle, name, work, &outcome);
          if (error == kErrorSharingViolation) {
            std::string line = "Close " + step.owner + " to clean " + step.contents;
            Log(c.resultsLog, line);
            Tally(c.tally, ActionKind::kRefused, !c.analyzeOnly, path, line);
            continue;
          }
          if (error == kErrorAccessDenied) {
            Refuse(c, path, "not a database file");
            continue;
          }
          if (error == kErrorInvalidData) {
            Refuse(c, path, "the database could not be cleaned; it is as it was");
            continue;
          }
          if (error != kErrorSuccess || outcome.rows == 0) continue;
          Log(c.resultsLog, FileLogLine(path, static_cast<std::int64_t>(outcome.bytesFreed)) +
                                ", " + std::to_string(outcome.rows) + " rows");
          Tally(c.tally, ActionKind::kDatabaseRows, !c.analyzeOnly, path,
                std::to_string(outcome.rows), outcome.bytesFreed);
        }
      },
      nullptr, [&](const std::string& link) { Refuse(c, link, "a link"); });
}

}  // namespace vb::engine
