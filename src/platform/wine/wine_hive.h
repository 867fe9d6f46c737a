// One of Wine's registry files in memory: its tree of keys and values, and
// the text it was read from, so that a key nobody changed is written back
// exactly as it was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace vb::wine {

struct WineValue {
  std::u16string name;  // empty: the key's default value
  win::DWORD type = 0;
  std::string data;  // the bytes as Wine holds them: strings in UTF-16LE
  bool operator==(const WineValue&) const = default;
};

// A stretch of the text a hive was read from.
struct TextSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

struct WineKey {
  std::u16string name;      // a hive's root: empty, or the name it has below HKEY_USERS
  WineKey* parent = nullptr;  // none for a hive's root
  // Shared, so that a handle keeps a deleted key to report it deleted.
  std::vector<std::shared_ptr<WineKey>> subkeys;  // in Wine's order (CompareNames)
  std::vector<WineValue> values;                  // in Wine's order
  std::optional<std::u16string> keyClass;          // "#class="
  bool link = false;                               // "#link": a symbolic link
  // Lines of the key's text that Wine keeps no value for: options it does
  // not know, comments, lines it cannot read. Written back with the key.
  std::vector<std::string> keptLines;
  // The key's text in the file read, while it has not changed: the key line
  // and what follows it, with the blank lines before it. More than one
  // where the file names the key more than once.
  std::vector<TextSpan> blocks;
  // Written anew from the fields here: the key changed, was made, or its
  // text cannot be copied as it is.
  bool rewrite = false;
  // When the key last changed, in 100 ns ticks since 1601 (Wine's "#time=").
  std::uint64_t modified = 0;
  bool deleted = false;
};

struct WineHive {
  std::string text;      // the file as read; the blocks of unchanged keys lie in it
  std::string preamble;  // the lines before the first key, as read
  std::string arch;      // "#arch=": win32, win64, or empty when the file names none
  std::string rootPath;  // the path after ";; All keys relative to ", unescaped
  std::shared_ptr<WineKey> root = std::make_shared<WineKey>();
  // The text of key lines Wine cannot read, with the lines after them that
  // it then ignores, kept for the end of the file.
  std::vector<TextSpan> unreadKeys;
};

// The subkey of that name (any case), or null.
[[nodiscard]] std::shared_ptr<WineKey> FindSubkey(const WineKey& key, std::u16string_view name);
// Adds a subkey at its place in the order; the name must be new to the key.
WineKey& AddSubkey(WineKey& key, std::shared_ptr<WineKey> subkey);
// Takes a subkey out of its key and marks it deleted.
void RemoveSubkey(WineKey& key, const WineKey& subkey);

[[nodiscard]] const WineValue* FindValue(const WineKey& key, std::u16string_view name);
// Sets a value, replacing one of the same name (any case), whose name it keeps.
void PutValue(WineKey& key, WineValue value);
bool RemoveValue(WineKey& key, std::u16string_view name);

// Whether two trees hold the same keys, names, values, classes, links and
// kept lines; where they came from in a file does not count.
[[nodiscard]] bool SameTree(const WineKey& a, const WineKey& b);

}  // namespace vb::wine
