// A small RAII layer over SQLite for the machine's registry.db.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vb::emu {

class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  Statement& Bind(int index, std::int64_t value);
  Statement& Bind(int index, std::string_view text);
  Statement& BindBlob(int index, const void* data, std::size_t size);
  // True while a row is available.
  [[nodiscard]] bool Step();
  // Runs to completion; false when SQLite reported an error.
  [[nodiscard]] bool Run();
  void Reset();

  std::int64_t Int(int column) const;
  std::string Text(int column) const;
  std::vector<std::uint8_t> Blob(int column) const;
  bool ok() const { return ok_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  bool ok_ = true;
};

class Database {
 public:
  Database() = default;
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();

  // Opens (creating when asked) the database and its schema.
  [[nodiscard]] bool Open(const std::string& path, bool create, std::string* error);
  bool Exec(std::string_view sql);
  sqlite3* handle() { return db_; }
  std::int64_t LastInsertId();

  // The SQLite result code (without its extended part) of the last call that failed.
  int LastError();

  // Nested calls join the outermost transaction; only its end commits. End
  // returns false when the changes were not kept (undone, or the commit failed).
  [[nodiscard]] bool Begin();
  bool End(bool commit);

 private:
  bool HasSchema();
  bool InWalMode();

  sqlite3* db_ = nullptr;
  int depth_ = 0;
  bool failed_ = false;
  int lastError_ = 0;  // why the last commit failed
};

// A transaction that rolls back unless committed.
class Transaction {
 public:
  explicit Transaction(Database& db) : db_(db), active_(db.Begin()) {}
  ~Transaction() {
    if (active_) db_.End(false);
  }
  // False when the transaction could not begin; then nothing may be written.
  bool active() const { return active_; }
  // False when the changes could not be kept.
  bool Commit() {
    bool kept = active_ && db_.End(true);
    active_ = false;
    return kept;
  }

 private:
  Database& db_;
  bool active_;
};

}  // namespace vb::emu
