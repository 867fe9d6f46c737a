#include "platform/sqlite_cleaning.h"

#include <sqlite3.h>

#include <cstring>

#include "platform/ascii_case.h"

namespace vb::platform {

namespace {

std::string_view WithoutLeadingDots(std::string_view host) {
  while (!host.empty() && host.front() == '.') host.remove_prefix(1);
  return host;
}

// One open connection, closed when it goes.
struct Connection {
  sqlite3* db = nullptr;
  ~Connection() { sqlite3_close_v2(db); }
};

LONG FromSqlite(int rc) {
  switch (rc & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE: return kErrorSuccess;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return kErrorSharingViolation;
    case SQLITE_NOMEM: return kErrorNotEnoughMemory;
    case SQLITE_FULL: return kErrorDiskFull;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN: return kErrorAccessDenied;
    default: return kErrorInvalidData;
  }
}

// Runs one statement to its end; the rows it changed are added to `rows`,
// and `firstText`, when given, receives the first column of its first row.
int Execute(sqlite3* db, const std::string& sql, std::uint64_t* rows = nullptr,
            std::string* firstText = nullptr) {
  sqlite3_stmt* statement = nullptr;
  const char* rest = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size() + 1), &statement, &rest);
  if (rc != SQLITE_OK) return rc;
  // One statement per text: a second one hidden behind a ';' is refused.
  if (rest && *rest && std::strspn(rest, " \t\r\n;") != std::strlen(rest)) {
    sqlite3_finalize(statement);
    return SQLITE_MISUSE;
  }
  if (!statement) return SQLITE_OK;  // blank text
  bool first = true;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    if (first && firstText) {
      const unsigned char* text = sqlite3_column_text(statement, 0);
      *firstText = text ? reinterpret_cast<const char*>(text) : "";
    }
    first = false;
  }
  sqlite3_finalize(statement);
  if (rc != SQLITE_DONE) return rc;
  if (rows) *rows += static_cast<std::uint64_t>(sqlite3_changes(db));
  return SQLITE_OK;
}

std::uint64_t DatabaseBytes(sqlite3* db) {
  std::string pages, size;
  if (Execute(db, "PRAGMA page_count", nullptr, &pages) != SQLITE_OK ||
      Execute(db, "PRAGMA page_size", nullptr, &size) != SQLITE_OK)
    return 0;
  return std::strtoull(pages.c_str(), nullptr, 10) * std::strtoull(size.c_str(), nullptr, 10);
}

void KeptHostFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
  const auto* kept = static_cast<const std::vector<std::string>*>(sqlite3_user_data(context));
  const unsigned char* host = sqlite3_value_text(arguments[0]);
  std::string_view text = host ? reinterpret_cast<const char*>(host) : "";
  sqlite3_result_int(context, IsKeptHost(text, *kept) ? 1 : 0);
}

// The work on an open connection: the statements and the check in one
// transaction, committed only when all went well, then the space given back.
LONG RunWork(sqlite3* db, const DatabaseWork& work, bool inMemory, DatabaseOutcome* outcome) {
  sqlite3_create_function(db, "kept_host", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                          const_cast<std::vector<std::string>*>(&work.keptHosts),
                          KeptHostFunction, nullptr, nullptr);
  // Reading the schema tells a database from any other file, and a
  // database another program holds from a free one.
  if (int rc = Execute(db, "SELECT count(*) FROM sqlite_master"); rc != SQLITE_OK)
    return FromSqlite(rc);
  std::uint64_t before = DatabaseBytes(db);
  if (int rc = Execute(db, "BEGIN IMMEDIATE"); rc != SQLITE_OK) return FromSqlite(rc);
  std::uint64_t rows = 0;
  int rc = SQLITE_OK;
  for (const std::string& statement : work.statements) {
    rc = Execute(db, statement, &rows);
    // Each version of a browser has tables of its own: a statement over a
    // table this database does not have is left out.
    if (rc == SQLITE_ERROR && std::strncmp(sqlite3_errmsg(db), "no such table", 13) == 0)
      rc = SQLITE_OK;
    if (rc != SQLITE_OK) break;
  }
  std::string verdict;
  if (rc == SQLITE_OK) rc = Execute(db, "PRAGMA integrity_check", nullptr, &verdict);
  if (rc == SQLITE_OK && verdict != "ok") rc = SQLITE_CORRUPT;
  if (rc == SQLITE_OK) rc = Execute(db, "COMMIT");
  if (rc != SQLITE_OK) {
    Execute(db, "ROLLBACK");
    return FromSqlite(rc);
  }
  // The rows are gone for good; giving their pages back is done when it can
  // be (a reader arriving meanwhile leaves the file its size).
  if (rows > 0) {
    Execute(db, "VACUUM");
    if (!inMemory) Execute(db, "PRAGMA wal_checkpoint(TRUNCATE)");
  }
  std::uint64_t after = DatabaseBytes(db);
  outcome->rows = rows;
  outcome->bytesFreed = before > after ? before - after : 0;
  return kErrorSuccess;
}

}  // namespace

bool IsKeptHost(std::string_view host, const std::vector<std::string>& keptHosts) {
  host = WithoutLeadingDots(host);
  for (const std::string& keptText : keptHosts) {
    std::string_view kept = WithoutLeadingDots(keptText);
    if (kept.empty() || host.size() < kept.size()) continue;
    std::string_view tail = host.substr(host.size() - kept.size());
    if (!EqualsIgnoringCase(tail, kept)) continue;
    if (host.size() == kept.size() || host[host.size() - kept.size() - 1] == '.') return true;
  }
  return false;
}

LONG CleanDatabaseFile(const std::string& utf8Path, const DatabaseWork& work,
                       DatabaseOutcome* outcome) {
  Connection c;
  int rc = sqlite3_open_v2(utf8Path.c_str(), &c.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW,
                           nullptr);
  if (rc != SQLITE_OK) return FromSqlite(rc);
  // A browser that writes now and then is waited for a moment; one that
  // holds its database for as long as it runs is not.
  sqlite3_busy_timeout(c.db, 200);
  return RunWork(c.db, work, false, outcome);
}

LONG ProbeDatabaseBytes(std::string bytes, const DatabaseWork& work, DatabaseOutcome* outcome) {
  static constexpr char kHeader[] = "SQLite format 3";
  if (bytes.size() < 100 || std::memcmp(bytes.data(), kHeader, sizeof kHeader) != 0)
    return kErrorInvalidData;
  // A memory database has no log: the file's pages are read as a database
  // without one.
  if (bytes[18] == 2) bytes[18] = 1;
  if (bytes[19] == 2) bytes[19] = 1;
  Connection c;
  if (int rc = sqlite3_open_v2(":memory:", &c.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY,
                               nullptr);
      rc != SQLITE_OK)
    return FromSqlite(rc);
  const auto size = static_cast<sqlite3_int64>(bytes.size());
  auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(bytes.size()));
  if (!copy) return kErrorNotEnoughMemory;
  std::memcpy(copy, bytes.data(), bytes.size());
  bytes = std::string();
  // The copy is SQLite's from here on, freed with the connection.
  if (int rc = sqlite3_deserialize(c.db, "main", copy, size, size,
                                   SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
      rc != SQLITE_OK)
    return FromSqlite(rc);
  return RunWork(c.db, work, true, outcome);
}

}  // namespace vb::platform
