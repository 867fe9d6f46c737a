// Today's browsers' databases, built with the browsers' own schemas, cleaned
// row by row: what goes, what the user keeps, every profile found, a profile
// leading out refused, a database a running browser holds left whole, and a
// preview that counts exactly what the clean then does while changing nothing.
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "fixtures/browser_schemas.h"
#include "registry/settings_store.h"
#include "support/temp_machine.h"
#include "support/verb_runner.h"

namespace vb {
namespace {

namespace fs = std::filesystem;

#define USER_FOLDER "drive_c/Documents and Settings/User/"
constexpr const char* kFirefox = USER_FOLDER "Application Data/Mozilla/Firefox/";
constexpr const char* kChrome = USER_FOLDER "Local Settings/Application Data/Google/Chrome/User Data/";

// Runs SQL on a database file, made when missing; fails the test on an error.
void Sql(const std::string& path, const std::string& sql) {
  fs::create_directories(fs::path(path).parent_path());
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
      << (error ? error : "") << "\n" << sql.substr(0, 200);
  sqlite3_free(error);
  sqlite3_close(db);
}

// The first column of the first row, as text.
std::string Ask(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string answer = "(none)";
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
    answer = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
  sqlite3_finalize(s);
  sqlite3_close(db);
  return answer;
}

// Every file below a folder with its bytes: what "changes nothing" compares.
std::map<std::string, std::string> Files(const std::string& folder) {
  std::map<std::string, std::string> all;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) all[e.path().string()] = test::ReadHostFile(e.path().string());
  return all;
}

std::uint64_t SummaryNumber(const std::string& json, const std::string& name) {
  std::size_t at = json.find("\"summary\": true");
  at = json.find("\"" + name + "\": ", at);
  return at == std::string::npos ? 0 : std::stoull(json.substr(at + name.size() + 4));
}

class BrowserDatabases : public ::testing::Test {
 protected:
  BrowserDatabases() { test::PassCleanerWarning(m); }
  std::string Host(const std::string& relative) { return m.Host(relative); }
  test::Ran Run(const std::string& verb, std::vector<std::string> selected) {
    std::vector<std::string> args = {"--json", "--results"};
    if (verb == "clean") args.push_back("--yes");
    for (const std::string& s : selected) args.insert(args.end(), {"--select", s});
    return test::RunVerb(m, verb, args);
  }
  test::TempMachine m;
};

void FirefoxProfile(const std::string& folder) {
  Sql(folder + "places.sqlite",
      fixtures::FirefoxPlacesSchema() +
          "PRAGMA journal_mode=WAL;"
          "INSERT INTO moz_origins(id, prefix, host, frecency) VALUES (1, 'https://', 'a.example', 1);"
          "INSERT INTO moz_places(id, url, guid, url_hash, origin_id, visit_count) VALUES "
          "(1, 'https://a.example/kept', 'g1', 1, 1, 2), (2, 'https://a.example/gone', 'g2', 2, 1, 1),"
          "(3, 'https://a.example/file.zip', 'g3', 3, 1, 1);"
          "INSERT INTO moz_bookmarks(id, type, fk, parent, position, guid) VALUES "
          "(1, 2, NULL, 0, 0, 'root________'), (2, 1, 1, 1, 0, 'bm1');"
          "INSERT INTO moz_historyvisits(place_id, visit_date, visit_type) VALUES "
          "(1, 1, 1), (1, 2, 1), (2, 3, 1), (3, 4, 7);");
  Sql(folder + "cookies.sqlite",
      fixtures::FirefoxCookiesSchema() +
          "INSERT INTO moz_cookies(name, value, host, path, expiry, lastAccessed, creationTime, "
          "originAttributes) VALUES ('a', '1', '.example.com', '/', 9, 1, 1, ''), "
          "('b', '1', 'www.example.com', '/', 9, 1, 2, ''), ('c', '1', 'notexample.com', '/', 9, 1, 3, ''),"
          "('d', '1', '.tracker.example.net', '/', 9, 1, 4, '');");
}

TEST_F(BrowserDatabases, FirefoxHistoryGoesWhileBookmarksAndKeptCookiesStayInEveryProfile) {
  registry::settings::AddListEntry(m.platform(), registry::settings::kCookies,
                                   "Cookie:user@example.com/");
  test::WriteHostFile(Host(kFirefox) + "profiles.ini",
                      "[Profile0]\nName=a\nIsRelative=1\nPath=Profiles/a.default\n\n"
                      "[Profile1]\nIsRelative=1\nPath=..\\..\\Outside\n\n"
                      "[Profile2]\nIsRelative=0\nPath=C:\\Elsewhere\n\n"
                      "[Install308046B0AF4A39CB]\nDefault=Profiles/b.install\nLocked=1\n");
  for (const char* p : {"Profiles/a.default/", "Profiles/b.install/"}) FirefoxProfile(Host(kFirefox) + p);
  FirefoxProfile(Host(USER_FOLDER "Application Data/Outside/"));
  std::vector<std::string> entries = {"Firefox (Internet History)", "Firefox (Cookies)"};

  auto before = Files(Host("drive_c"));
  test::Ran analyzed = Run("analyze", entries), planned = Run("plan", entries);
  EXPECT_EQ(Files(Host("drive_c")), before) << "a preview changed the machine";
  test::Ran cleaned = Run("clean", entries);
  // Per profile: 4 visits, 2 places (one downloaded), the bookmarked place's
  // counts reset, the orphaned origin... and 2 cookies of hosts not kept.
  std::uint64_t rows = SummaryNumber(cleaned.out, "databaseRows");
  EXPECT_GT(rows, 0u);
  EXPECT_EQ(SummaryNumber(analyzed.out, "databaseRows"), rows);
  EXPECT_EQ(SummaryNumber(planned.out, "databaseRows"), rows);
  EXPECT_EQ(SummaryNumber(analyzed.out, "bytes"), SummaryNumber(cleaned.out, "bytes"));
  for (const char* p : {"Profiles/a.default/", "Profiles/b.install/"}) {
    std::string places = Host(kFirefox) + p + "places.sqlite", cookies = Host(kFirefox) + p + "cookies.sqlite";
    EXPECT_EQ(Ask(places, "SELECT count(*) FROM moz_historyvisits"), "0") << p;
    EXPECT_EQ(Ask(places, "SELECT group_concat(url) FROM moz_places"), "https://a.example/kept");
    EXPECT_EQ(Ask(places, "SELECT count(*) FROM moz_bookmarks"), "2");
    EXPECT_EQ(Ask(places, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(Ask(cookies, "SELECT group_concat(host) FROM (SELECT host FROM moz_cookies ORDER BY host)"),
              ".example.com,www.example.com");
    EXPECT_EQ(Ask(cookies, "PRAGMA integrity_check"), "ok");
    EXPECT_FALSE(fs::exists(places + "-wal")) << "the log is checkpointed and gone";
  }
  EXPECT_EQ(Ask(Host(USER_FOLDER "Application Data/Outside/places.sqlite"),
                "SELECT count(*) FROM moz_historyvisits"),
            "4");
  EXPECT_NE(cleaned.out.find("Firefox\\\\..\\\\..\\\\Outside\", \"action\": \"refused\", "
                             "\"reason\": \"a profile outside the Firefox folder\""),
            std::string::npos)
      << cleaned.out;
  EXPECT_NE(cleaned.out.find("C:\\\\Elsewhere\", \"action\": \"refused\""), std::string::npos);
}

TEST_F(BrowserDatabases, EveryChromeProfileIsCleanedButOneItsBrowserHoldsAndNoneThroughALink) {
  // "Profile 2" is missing, "Profil \xC3\x9C" is a name of its own, and "Linked" leads out.
  const std::vector<std::string> profiles = {"Default", "Profile 1", "Profile 3", "Profil \xC3\x9C"};
  auto history = [&](const std::string& profile) { return Host(kChrome) + profile + "/History"; };
  for (const std::string& p : profiles)
    Sql(history(p), fixtures::ChromiumHistorySchema() +
                        "INSERT INTO urls(id, url, title, last_visit_time) VALUES (1, 'https://a.example/', 'a', 6);"
                        "INSERT INTO visits(url, visit_time) VALUES (1, 5), (1, 6);");
  Sql(Host("drive_c/Outside/History"), fixtures::ChromiumHistorySchema() +
                                           "INSERT INTO urls(id, url, title, last_visit_time) VALUES (1, 'x', 'x', 1);");
  fs::create_directory_symlink(Host("drive_c/Outside"), Host(kChrome) + "Linked");

  // A running Chrome holds Profile 3's database.
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  pid_t child = fork();
  if (child == 0) {
    // Only the ends it uses stay open: once the test ends, however it ends,
    // the read below meets the end of the pipe and the child goes.
    close(ready[0]);
    close(done[1]);
    sqlite3* db = nullptr;
    sqlite3_open(history("Profile 3").c_str(), &db);
    sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr);
    char c = 1;
    (void)!write(ready[1], &c, 1);
    (void)!read(done[0], &c, 1);
    _exit(0);
  }
  close(ready[1]);
  close(done[0]);
  char c;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  test::Ran cleaned = Run("clean", {"Google Chrome (Internet History)"});
  (void)!write(done[1], &c, 1);
  waitpid(child, nullptr, 0);

  EXPECT_NE(cleaned.out.find("Close Google Chrome to clean its history"), std::string::npos);
  // The held one, and the link met by each of the entry's two steps.
  EXPECT_EQ(SummaryNumber(cleaned.out, "refused"), 3u) << cleaned.out;
  EXPECT_NE(cleaned.out.find("Linked\", \"action\": \"refused\", \"reason\": \"a link\""),
            std::string::npos);
  for (const std::string& p : profiles) {
    bool held = p == "Profile 3";
    EXPECT_EQ(Ask(history(p), "SELECT count(*) FROM visits"), held ? "2" : "0") << p;
    EXPECT_EQ(Ask(history(p), "SELECT count(*) FROM urls"), held ? "1" : "0") << p;
    EXPECT_EQ(Ask(history(p), "PRAGMA integrity_check"), "ok");
  }
  EXPECT_EQ(Ask(Host("drive_c/Outside/History"), "SELECT count(*) FROM urls"), "1");
}

TEST_F(BrowserDatabases, AMachineWideFolderIsListedButSkippedForALimitedUser) {
  test::TempMachine limited({.limitedUser = true});
  test::PassCleanerWarning(limited);
  test::WriteHostFile(limited.Host("drive_c/WINDOWS/SoftwareDistribution/Download/a/update.cab"), "x");
  std::string listed = test::RunVerb(limited, "list", {}).out;
  EXPECT_NE(listed.find("Windows Update Download Cache"), std::string::npos);
  test::Ran cleaned = test::RunVerb(
      limited, "clean", {"--yes", "--select", "Windows Update Download Cache"});
  EXPECT_NE(cleaned.out.find("Skipped C:\\WINDOWS\\SoftwareDistribution\\Download: administrator "
                             "rights needed"),
            std::string::npos)
      << cleaned.out;
  EXPECT_TRUE(fs::exists(limited.Host("drive_c/WINDOWS/SoftwareDistribution/Download/a/update.cab")));
}

}  // namespace
}  // namespace vb
