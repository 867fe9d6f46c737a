// Cleaning the history of a large Firefox places.sqlite (100,000 visits of
// 20,000 places, 5,000 of them bookmarked), built with Firefox's own schema:
// the preview Analyze runs over a copy in memory, and the clean itself, each
// on a fresh copy of the database, through the emulated platform as a run
// reaches it.
//
//   database_bench [ROUNDS] [TMPDIR]
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "fixtures/browser_schemas.h"
#include "fixtures/machine_init.h"
#include "platform/emulated/machine.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Millis(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

bool Build(const std::string& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return false;
  std::string sql = vb::fixtures::FirefoxPlacesSchema() +
                    "PRAGMA journal_mode=WAL; BEGIN;"
                    "INSERT INTO moz_origins(id, prefix, host, frecency) VALUES (1, 'https://', 'a.example', 1);"
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                    "INSERT INTO moz_places(id, url, title, guid, url_hash, origin_id, visit_count, "
                    "last_visit_date) SELECT i, 'https://a.example/page/' || i, 'Page ' || i, "
                    "printf('g%011d', i), i, 1, 5, i FROM n;"
                    "INSERT INTO moz_bookmarks(id, type, fk, parent, position, guid) VALUES "
                    "(1, 2, NULL, 0, 0, 'root________');"
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
                    "INSERT INTO moz_bookmarks(type, fk, parent, position, guid, title) "
                    "SELECT 1, i * 4, 1, i, printf('b%011d', i), 'Bookmark ' || i FROM n;"
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
                    "INSERT INTO moz_historyvisits(place_id, visit_date, visit_type) "
                    "SELECT 1 + (i % 20000), i, 1 FROM n;"
                    "COMMIT;";
  char* error = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  if (rc != SQLITE_OK) std::fprintf(stderr, "%s\n", error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
  return rc == SQLITE_OK;
}

std::vector<std::string> HistoryStatements() {
  for (const auto& e : vb::catalogue::Entries(vb::catalogue::AppList::kInternet))
    if (std::string(e.text) == "Firefox (Internet History)") return e.steps.front().statements;
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::string tmp = argc > 2 ? argv[2] : fs::temp_directory_path().string();
  std::string folder = tmp + "/vanbrisk-database-bench";
  fs::remove_all(folder);
  if (vb::Result<> made = vb::fixtures::InitMachine(folder, {}); !made) {
    std::fprintf(stderr, "InitMachine: %s\n", made.message().c_str());
    return 1;
  }
  std::string profile = folder + "/drive_c/Profile";
  fs::create_directories(profile);
  std::string original = folder + "/places-original.sqlite";
  if (!Build(original)) return 1;
  std::string error;
  auto machine = vb::emu::Machine::Open(folder, &error);
  if (!machine) return 1;
  vb::platform::DatabaseWork work{HistoryStatements(), {}};
  auto& files = machine->Files();

  std::vector<double> previews, cleans;
  vb::platform::DatabaseOutcome preview, clean;
  for (int r = 0; r < rounds; ++r) {
    fs::copy_file(original, profile + "/places.sqlite", fs::copy_options::overwrite_existing);
    vb::platform::FolderHandle handle;
    if (files.OpenFolder("C:\\Profile", &handle, nullptr) != 0) return 1;
    auto t = Clock::now();
    long rc = files.ProbeCleanEntryDatabase(handle, "places.sqlite", work, &preview);
    previews.push_back(Millis(t));
    t = Clock::now();
    rc |= files.CleanEntryDatabase(handle, "places.sqlite", work, &clean);
    cleans.push_back(Millis(t));
    files.CloseFolder(handle);
    if (rc != 0) {
      std::fprintf(stderr, "the database could not be cleaned (%ld)\n", rc);
      return 1;
    }
  }
  std::printf("places.sqlite: %.1f MB, 100,000 visits, 20,000 places, 5,000 bookmarks; median of %d\n",
              static_cast<double>(fs::file_size(original)) / 1048576, rounds);
  std::printf("preview (Analyze, plan): %8.1f ms  %llu rows, %llu bytes freed\n", Median(previews),
              static_cast<unsigned long long>(preview.rows),
              static_cast<unsigned long long>(preview.bytesFreed));
  std::printf("clean (Run Cleaner):     %8.1f ms  %llu rows, %llu bytes freed (goal: at most 500 ms)\n",
              Median(cleans), static_cast<unsigned long long>(clean.rows),
              static_cast<unsigned long long>(clean.bytesFreed));
  fs::remove_all(folder);
  return 0;
}
