// The Windows build cleans a Chrome profile planted in the machine it runs
// on (under Wine, its private prefix): the History database, built with
// Chromium's own schema, loses its visits and URLs through SQLite compiled
// into the program, and stays a sound database.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <sstream>

#include "app/program.h"
#include "cli/run_verbs.h"
#include "conformance/platform_target.h"
#include "fixtures/browser_schemas.h"
#include "platform/scripted_ui.h"
#include "platform/win32/win32_platform.h"

namespace vb {
namespace {

namespace fs = std::filesystem;

std::string Ask(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  std::string answer = "(none)";
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
    answer = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
  sqlite3_finalize(s);
  sqlite3_close(db);
  return answer;
}

TEST(ChromeOnWindows, TheHistoryOfEveryProfileIsCleanedThroughTheProgram) {
  platform::ScriptedUi ui;
  win32::Win32Platform platform(&ui);
  if (win32::WineVersion().empty())
    GTEST_SKIP() << "it plants a browser profile and resets the program's settings: Wine only";
  conformance::RemoveKeyTree(platform.Registry(), win::kHkeyCurrentUser,
                             "Software\\VB And VBA Program Settings\\Vanbrisk");
  std::string userData =
      platform.Environment().GetEnvironmentVariableA("LOCALAPPDATA") + "\\Google\\Chrome\\User Data";
  std::vector<std::string> histories;
  for (const char* profile : {"Default", "Profile 1"}) {
    fs::create_directories(userData + "\\" + profile);
    histories.push_back(userData + "\\" + profile + "\\History");
    fs::remove(histories.back());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(histories.back().c_str(), &db), SQLITE_OK);
    std::string sql = fixtures::ChromiumHistorySchema() +
                      "INSERT INTO urls(id, url, title, last_visit_time) VALUES (1, 'https://a.example/', 'a', 6);"
                      "INSERT INTO visits(url, visit_time) VALUES (1, 5), (1, 6);";
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  }

  std::istringstream in;
  std::ostringstream out, err;
  {
    app::Program program(platform);
    int code = cli::RunProgramVerb("clean", program, &ui,
                                   {"--yes", "--json", "--select", "Google Chrome (Internet History)"},
                                   {in, out, err});
    EXPECT_EQ(code, 0) << err.str();
  }
  EXPECT_NE(out.str().find("\"databaseRows\": 6"), std::string::npos) << out.str();
  for (const std::string& history : histories) {
    EXPECT_EQ(Ask(history, "SELECT count(*) FROM visits"), "0") << history;
    EXPECT_EQ(Ask(history, "SELECT count(*) FROM urls"), "0") << history;
    EXPECT_EQ(Ask(history, "PRAGMA integrity_check"), "ok") << history;
  }
  fs::remove_all(userData);
  conformance::RemoveKeyTree(platform.Registry(), win::kHkeyCurrentUser,
                             "Software\\VB And VBA Program Settings\\Vanbrisk");
}

}  // namespace
}  // namespace vb
