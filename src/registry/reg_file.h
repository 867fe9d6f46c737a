// .reg files: "Windows Registry Editor Version 5.00" (UTF-16LE with a BOM, or
// UTF-8 with or without one) and "REGEDIT4" (ANSI text), read into a plain
// model and written back from it. Nothing here touches a registry; see
// reg_file_registry.h for import and export.
//
// All names and string data in the model are the program's ANSI text, in its
// code page (codePage: UTF-8 or Windows-1252), the form the ANSI registry
// functions take. A character of a file that the code page cannot hold is
// refused (the file is rejected with its line), never replaced by
// '?': a substituted character could name a different key or value than the
// one the file meant.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/win_types.h"

namespace vb::registry {

enum class RegFileFormat {
  kVersion5,  // "Windows Registry Editor Version 5.00"
  kRegedit4,  // "REGEDIT4"
};

struct RegFileValue {
  int line = 0;         // where the value was read; 0 for one not read from a file
  std::string name;     // empty for the default value ("@")
  bool remove = false;  // "name"=-
  win::DWORD type = win::kRegNone;
  std::string data;  // the bytes as RegSetValueExA takes them

  bool operator==(const RegFileValue& other) const {
    return name == other.name && remove == other.remove && type == other.type && data == other.data;
  }
};

struct RegFileKey {
  int line = 0;
  win::HKEY root = 0;
  std::string subKey;   // empty for the root itself; never empty when remove
  bool remove = false;  // [-KEY]: delete the key and all its subkeys
  std::vector<RegFileValue> values;

  bool operator==(const RegFileKey& other) const {
    return root == other.root && subKey == other.subKey && remove == other.remove &&
           values == other.values;
  }
};

struct RegFile {
  RegFileFormat format = RegFileFormat::kVersion5;
  std::vector<RegFileKey> keys;  // in file order
};

// Reads a whole file. A malformed file fails with "line N: what is wrong".
[[nodiscard]] Result<RegFile> ParseRegFile(std::string_view bytes, win::DWORD codePage);

// Writes the file as regedit does: CRLF line ends, a blank line after the
// header and after every key, hex data wrapped at about 80 columns; a
// Version 5.00 file is UTF-16LE with a BOM, a REGEDIT4 file ANSI text.
// Fails only for a name that a .reg file cannot hold (one with a line break,
// or, under UTF-8, bytes that are no UTF-8).
[[nodiscard]] Result<std::string> FormatRegFile(const RegFile& file, win::DWORD codePage);

}  // namespace vb::registry
