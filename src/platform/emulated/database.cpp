#include "platform/emulated/database.h"

#include <sqlite3.h>

namespace vb::emu {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER NOT NULL,
  name TEXT NOT NULL,
  fold TEXT NOT NULL,
  UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS vals(
  id INTEGER PRIMARY KEY,
  key INTEGER NOT NULL,
  name TEXT NOT NULL,
  fold TEXT NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  UNIQUE(key, fold));
CREATE INDEX IF NOT EXISTS vals_in_order ON vals(key, id);
CREATE TABLE IF NOT EXISTS url_cache(
  id INTEGER PRIMARY KEY,
  url TEXT NOT NULL UNIQUE,
  local_file TEXT NOT NULL,
  type INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS machine(name TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS launched(id INTEGER PRIMARY KEY, command TEXT NOT NULL, style INTEGER NOT NULL);
INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES
  (1, 0, 'HKEY_CLASSES_ROOT', 'HKEY_CLASSES_ROOT'),
  (2, 0, 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER'),
  (3, 0, 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE'),
  (4, 0, 'HKEY_USERS', 'HKEY_USERS');
)sql";

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) {
  ok_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) ==
        SQLITE_OK;
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::Bind(int index, std::int64_t value) {
  if (ok_) ok_ = sqlite3_bind_int64(stmt_, index, value) == SQLITE_OK;
  return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
  if (ok_)
    ok_ = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT) == SQLITE_OK;
  return *this;
}

Statement& Statement::BindBlob(int index, const void* data, std::size_t size) {
  static const char kEmpty = 0;
  if (ok_)
    ok_ = sqlite3_bind_blob(stmt_, index, size ? data : &kEmpty, static_cast<int>(size),
                            SQLITE_TRANSIENT) == SQLITE_OK;
  return *this;
}

bool Statement::Step() {
  if (!ok_) return false;
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) ok_ = false;
  return false;
}

bool Statement::Run() {
  while (Step()) {
  }
  return ok_;
}

void Statement::Reset() {
  if (stmt_) {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
}

std::int64_t Statement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::Text(int column) const {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
           : std::string();
}

std::vector<std::uint8_t> Statement::Blob(int column) const {
  const auto* p = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
  auto n = static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column));
  return p ? std::vector<std::uint8_t>(p, p + n) : std::vector<std::uint8_t>();
}

Database::~Database() { sqlite3_close(db_); }

bool Database::Open(const std::string& path, bool create, std::string* error) {
  int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    if (error) *error = db_ ? sqlite3_errmsg(db_) : "cannot open " + path;
    sqlite3_close(db_);
    db_ = nullptr;
    return false;
  }
  // SQLite opens a file it may not write for reading only; the machine's
  // registry must be writable, and the message names the file.
  if (sqlite3_db_readonly(db_, "main") == 1) {
    if (error) *error = path + " is read-only; the machine's registry must be writable";
    sqlite3_close(db_);
    db_ = nullptr;
    return false;
  }
  sqlite3_busy_timeout(db_, 10000);
  // WAL with NORMAL sync: every committed change survives a killed process,
  // and readers never block the writer. A database that has its schema and
  // is in WAL mode already is only read here, so that opening it never waits
  // for another program's write.
  bool ok = Exec("PRAGMA synchronous=NORMAL");
  if (ok && !(HasSchema() && InWalMode()))
    ok = Exec("PRAGMA journal_mode=WAL") && Exec(kSchema);
  if (!ok && error) *error = path + ": " + sqlite3_errmsg(db_);
  return ok;
}

bool Database::HasSchema() {
  Statement s(db_, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                   "('keys', 'vals', 'url_cache', 'machine', 'launched')");
  return s.Step() && s.Int(0) == 5;
}

bool Database::InWalMode() {
  Statement s(db_, "PRAGMA journal_mode");
  return s.Step() && s.Text(0) == "wal";
}

int Database::LastError() {
  int code = sqlite3_errcode(db_);
  return (code != SQLITE_OK ? code : lastError_) & 0xff;
}

bool Database::Exec(std::string_view sql) {
  std::string text(sql);
  return sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::int64_t Database::LastInsertId() { return sqlite3_last_insert_rowid(db_); }

bool Database::Begin() {
  if (depth_++ == 0) {
    failed_ = false;
    lastError_ = SQLITE_OK;
    if (!Exec("BEGIN IMMEDIATE")) {
      depth_ = 0;
      return false;
    }
  }
  return true;
}

bool Database::End(bool commit) {
  if (!commit) failed_ = true;
  if (--depth_ > 0) return !failed_;
  depth_ = 0;
  if (!failed_ && Exec("COMMIT")) return true;
  // Keep the error that stopped the commit for LastError.
  int why = sqlite3_errcode(db_);
  if (sqlite3_get_autocommit(db_) == 0) Exec("ROLLBACK");
  if (!failed_) lastError_ = why;
  return false;
}

}  // namespace vb::emu
