// The language table: the texts of a run's language files by key, 0 to 999.
// Every entry starts empty; loading a file overwrites only the entries it
// names, so an entry keeps an earlier file's text until a later file sets it.
#pragma once

#include <array>
#include <string>

namespace vb::language {

// The text entry 0 must hold for a file to be taken.
inline constexpr const char* kHeader = "VANBRISK LANGUAGE FILE";

class LanguageTable {
 public:
  static constexpr int kSize = 1000;
  // Keys from here on name the texts added after the first language files
  // (page buttons, frames, tabs, the secondary windows). An entry that no
  // file set leaves such a text as it is, so that an older file still shows
  // every window whole; below, an entry no file set empties its text.
  static constexpr int kFirstAddedKey = 630;
  static bool InRange(int key) { return key >= 0 && key < kSize; }

  const std::string& Entry(int key) const { return entries_.at(static_cast<std::size_t>(key)); }
  void Set(int key, std::string text) { entries_.at(static_cast<std::size_t>(key)) = std::move(text); }

 private:
  std::array<std::string, kSize> entries_;
};

}  // namespace vb::language
