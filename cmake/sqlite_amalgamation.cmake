# SQLite for the Windows build: the amalgamation (sqlite3.c, sqlite3.h) that
# scripts/fetch-sqlite.sh puts in build/third_party/sqlite, compiled by the
# cross compiler into a static library. It is SQLite::SQLite3, the name the
# Linux builds get from find_package(SQLite3), so that a library links it the
# same way on every platform and includes <sqlite3.h>.
set(VANBRISK_SQLITE_SOURCE ${CMAKE_SOURCE_DIR}/build/third_party/sqlite
    CACHE PATH "Folder holding the SQLite amalgamation (sqlite3.c, sqlite3.h)")
if(NOT EXISTS ${VANBRISK_SQLITE_SOURCE}/sqlite3.c OR NOT EXISTS ${VANBRISK_SQLITE_SOURCE}/sqlite3.h)
  message(FATAL_ERROR "No SQLite amalgamation in ${VANBRISK_SQLITE_SOURCE}: "
                      "run scripts/fetch-sqlite.sh (scripts/install-deps.sh runs it)")
endif()

enable_language(C)

add_library(vanbrisk_sqlite3 STATIC ${VANBRISK_SQLITE_SOURCE}/sqlite3.c)
# A system include folder: its header's warnings are not ours to fix.
target_include_directories(vanbrisk_sqlite3 SYSTEM PUBLIC ${VANBRISK_SQLITE_SOURCE})
target_compile_definitions(vanbrisk_sqlite3 PRIVATE
  # One connection may be used from several threads, as with Debian's library.
  SQLITE_THREADSAFE=1
  # No loading of extension DLLs into the program.
  SQLITE_OMIT_LOAD_EXTENSION
  SQLITE_DEFAULT_FOREIGN_KEYS=0
  # A string in double quotes is an error, not a string literal.
  SQLITE_DQS=0
  # The Windows versions the program supports.
  _WIN32_WINNT=0x0601)
# Optimised in every build type; upstream's code, so its warnings are not shown.
target_compile_options(vanbrisk_sqlite3 PRIVATE -O2 -w)
add_library(SQLite::SQLite3 ALIAS vanbrisk_sqlite3)
