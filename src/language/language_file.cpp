#include "language/language_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "language/file_text.h"
#include "platform/entry_lister.h"

namespace vb::language {

using namespace vb::win;

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The lines of a text read the way BASIC's Line Input reads them: each ends
// at CR LF or at a lone CR; a last line without an end counts too.
std::vector<std::string> Lines(const std::string& content) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < content.size(); ++i) {
    if (content[i] != '\r') {
      line += content[i];
      continue;
    }
    lines.push_back(std::move(line));
    line.clear();
    if (i + 1 < content.size() && content[i + 1] == '\n') ++i;
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

bool Skipped(const std::string& line) {
  return line.empty() || line[0] == ';' ||
         std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; });
}

}  // namespace

std::optional<int> KeyOf(std::string_view firstThree) {
  // Blanks, tabs and line feeds are skipped wherever they stand.
  std::string t;
  for (char c : firstThree)
    if (c != ' ' && c != '\t' && c != '\n') t += c;
  std::string number;
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) number += t[i++];
  bool digits = false;
  for (; i < t.size() && IsDigit(t[i]); ++i, digits = true) number += t[i];
  if (i < t.size() && t[i] == '.')
    for (number += t[i++]; i < t.size() && IsDigit(t[i]); ++i, digits = true) number += t[i];
  if (!digits) return 0;
  if (i < t.size() && std::string_view("eEdD").find(t[i]) != std::string_view::npos) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) exponent += t[j++];
    bool exponentDigits = false;
    for (; j < t.size() && IsDigit(t[j]); ++j, exponentDigits = true) exponent += t[j];
    if (exponentDigits) number += exponent;
  }
  // Halves go to the even neighbour: the default rounding mode.
  double key = std::nearbyint(std::strtod(number.c_str(), nullptr));
  if (!(key >= 0 && key < LanguageTable::kSize)) return std::nullopt;
  return static_cast<int>(key);
}

bool LoadLanguage(platform::Platform& platform, const std::string& path, LanguageTable& table,
                  toolkit::Form& form) {
  auto& files = platform.Files();
  // A search for the exact path, as the program lists files: hidden and
  // system files and folders are not found.
  if (path.empty() ||
      platform::EntryLister(files).ListEntries(path, platform::kListPlainFiles).empty())
    return true;
  std::string content;
  if (files.ReadFileBytes(path, &content) != kErrorSuccess) return true;
  bool failed =
      ReadLanguageText(FileText(std::move(content), platform.System().GetACP()), table);
  if (!failed) ApplyLanguage(form, table);
  return failed;
}

bool ReadLanguageText(const std::string& content, LanguageTable& table) {
  bool failed = false;
  for (const std::string& line : Lines(content)) {
    if (Skipped(line)) continue;
    std::optional<int> key = KeyOf(std::string_view(line).substr(0, 3));
    if (!key) {
      failed = true;  // the remaining lines are still read
      continue;
    }
    std::string text = line.size() > 4 ? line.substr(4) : std::string();
    std::replace(text.begin(), text.end(), '_', '\r');
    table.Set(*key, std::move(text));
  }
  return failed || table.Entry(0) != kHeader;
}

void ApplyLanguage(toolkit::Form& form, const LanguageTable& table) {
  enum class Field { kCaption, kToolTip, kTab, kFormCaption };
  struct Target {
    int key;
    Field field;
    toolkit::Control* control = nullptr;
    std::size_t tab = 0;
  };
  std::vector<Target> targets;
  if (form.CaptionKey() != 0) targets.push_back({form.CaptionKey(), Field::kFormCaption});
  for (const auto& control : form.Controls()) {
    if (control->CaptionKey() != 0)
      targets.push_back({control->CaptionKey(), Field::kCaption, control.get()});
    if (control->ToolTipKey() != 0)
      targets.push_back({control->ToolTipKey(), Field::kToolTip, control.get()});
    if (auto* strip = dynamic_cast<toolkit::TabStrip*>(control.get()))
      for (std::size_t i = 0; i < strip->TabKeys().size(); ++i)
        targets.push_back({strip->TabKeys()[i], Field::kTab, strip, i});
  }
  std::stable_sort(targets.begin(), targets.end(),
                   [](const Target& a, const Target& b) { return a.key < b.key; });
  for (const Target& t : targets) {
    if (!LanguageTable::InRange(t.key)) continue;
    const std::string& text = table.Entry(t.key);
    // A file written before a key was added knows nothing of its text.
    if (text.empty() && t.key >= LanguageTable::kFirstAddedKey) continue;
    switch (t.field) {
      case Field::kCaption: t.control->SetCaption(text); break;
      case Field::kToolTip: t.control->SetToolTipText(text); break;
      case Field::kTab:
        static_cast<toolkit::TabStrip*>(t.control)->SetTabCaption(t.tab, text);
        break;
      case Field::kFormCaption: form.SetCaption(text); break;
    }
  }
}

}  // namespace vb::language
