// The SQLite the Windows build compiles: a database file whose name holds
// characters outside the ANSI code page, opened by its UTF-8 name, holds what
// was written to it.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>

#include <string>

namespace vb {
namespace {

std::string Utf8(const std::wstring& wide) {
  int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                 0, nullptr, nullptr);
  std::string text(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

std::string Query(sqlite3* db, const char* sql) {
  sqlite3_stmt* statement = nullptr;
  std::string text = "(no row)";
  if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) return sqlite3_errmsg(db);
  if (sqlite3_step(statement) == SQLITE_ROW) {
    const unsigned char* column = sqlite3_column_text(statement, 0);
    text = column ? reinterpret_cast<const char*>(column) : "(null)";
  }
  sqlite3_finalize(statement);
  return text;
}

TEST(Win32Sqlite, ADatabaseAtAUnicodePathKeepsItsRows) {
  wchar_t temp[MAX_PATH + 1];
  ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
  // An accented Latin letter and a Greek one: no single ANSI code page has both.
  std::wstring path = std::wstring(temp) + L"vanbrisk-caf\u00e9-\u03a9-" +
                      std::to_wstring(GetCurrentProcessId()) + L".db";
  DeleteFileW(path.c_str());

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(Utf8(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr),
            SQLITE_OK)
      << (db ? sqlite3_errmsg(db) : "out of memory");
  EXPECT_EQ(sqlite3_exec(db,
                         "CREATE TABLE items (name TEXT NOT NULL);"
                         "INSERT INTO items VALUES ('Caf\xc3\xa9 cache');",
                         nullptr, nullptr, nullptr),
            SQLITE_OK)
      << sqlite3_errmsg(db);
  EXPECT_EQ(sqlite3_close(db), SQLITE_OK);

  // The file carries the wide name, not the UTF-8 bytes read as ANSI.
  EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);

  ASSERT_EQ(sqlite3_open_v2(Utf8(path).c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  EXPECT_EQ(Query(db, "SELECT name FROM items"), "Caf\xc3\xa9 cache");
  EXPECT_EQ(Query(db, "PRAGMA integrity_check"), "ok");
  sqlite3_close(db);
  EXPECT_TRUE(DeleteFileW(path.c_str()));
}

}  // namespace
}  // namespace vb
