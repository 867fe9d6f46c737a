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

  // Nested calls join the outermost transaction; only its end commits.
  [[nodiscard]] bool Begin();
  void End(bool commit);

 private:
  sqlite3* db_ = nullptr;
  int depth_ = 0;
  bool failed_ = false;
};

// A transaction that rolls back unless committed.
class Transaction {
 public:
  explicit Transaction(Database& db) : db_(db), active_(db.Begin()) {}
  ~Transaction() {
    if (active_) db_.End(false);
  }
  void Commit() {
    if (active_) db_.End(true);
    active_ = false;
  }

 private:
  Database& db_;
  bool active_;
};

}  // namespace vb::emu
