// Language files: any bytes are read into the table without a fault, and a
// file that is taken has the header as entry 0 and no underscore left in any
// entry (each became a line break).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "language/language_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vb::language::LanguageTable;
  static LanguageTable table;  // large: one table, emptied for each input
  for (int key = 0; key < LanguageTable::kSize; ++key) table.Set(key, std::string());
  std::string content(reinterpret_cast<const char*>(data), size);
  bool failed = vb::language::ReadLanguageText(content, table);
  if (!failed && table.Entry(0) != vb::language::kHeader) std::abort();
  for (int key = 0; key < LanguageTable::kSize; ++key)
    if (table.Entry(key).find('_') != std::string::npos) std::abort();
  // Every three characters give a key in the table or none.
  std::optional<int> key = vb::language::KeyOf(content.substr(0, 3));
  if (key && !LanguageTable::InRange(*key)) std::abort();
  return 0;
}
