#include "catalogue/rule_file.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/ascii_case.h"
#include "platform/control_characters.h"
#include "registry/protected_keys.h"

namespace vb::catalogue {

using platform::EqualsIgnoringCase;
using namespace vb::win;

namespace {

// The names a folder may be written with; rule_places gives their meaning.
constexpr std::string_view kFolderNames[] = {
    "AppData",       "LocalAppData",    "LocalLowAppData", "CommonAppData", "ProgramData",
    "ProgramFiles",  "CommonProgramFiles", "UserProfile",  "HomeDrive",     "SystemDrive",
    "SystemRoot",    "WinDir",          "Temp",            "Tmp",           "Documents",
    "Music",         "Pictures",        "Video",           "Public",        "AllUsersProfile",
    "UserName",
};

// A folder path has at most this many components; a longer one is refused
// rather than walked.
constexpr int kMaxComponents = 40;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Split(std::string_view s, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    std::size_t at = s.find(separator);
    parts.push_back(Trim(s.substr(0, at)));
    if (at == std::string_view::npos) return parts;
    s.remove_prefix(at + 1);
  }
}

// "FileKey12" -> "FileKey"; "Detect" -> "Detect".
std::string_view Stem(std::string_view key) {
  std::size_t end = key.size();
  while (end > 0 && std::isdigit(static_cast<unsigned char>(key[end - 1]))) --end;
  return key.substr(0, end);
}

// Whether a key says what to clean: FileKeyN or RegKeyN.
bool CleaningKey(std::string_view key) {
  return EqualsIgnoringCase(Stem(key), "FileKey") || EqualsIgnoringCase(Stem(key), "RegKey");
}

class Parser {
 public:
  Parser(std::string_view fileName, RuleFile& out) : file_(fileName), out_(out) {}

  void Problem(int line, const std::string& message) {
    out_.problems.emplace(line, LineProblem(file_, line, message));
  }

  std::optional<RuleKey> Key(int line, std::string_view text) {
    std::size_t slash = text.find('\\');
    std::string_view rootName = text.substr(0, slash);
    static constexpr std::pair<std::string_view, HKEY> kRoots[] = {
        {"HKCU", kHkeyCurrentUser},  {"HKEY_CURRENT_USER", kHkeyCurrentUser},
        {"HKLM", kHkeyLocalMachine}, {"HKEY_LOCAL_MACHINE", kHkeyLocalMachine},
        {"HKCR", kHkeyClassesRoot},  {"HKEY_CLASSES_ROOT", kHkeyClassesRoot},
        {"HKU", kHkeyUsers},         {"HKEY_USERS", kHkeyUsers},
    };
    RuleKey key;
    for (const auto& [name, root] : kRoots)
      if (EqualsIgnoringCase(name, rootName)) key.root = root;
    if (key.root == 0) {
      Problem(line, "unknown registry root \"" + std::string(rootName) + "\"");
      return std::nullopt;
    }
    std::string_view path = slash == std::string_view::npos ? "" : text.substr(slash + 1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (path.empty()) {
      Problem(line, "refused: a whole registry hive");
      return std::nullopt;
    }
    for (std::string_view part : Split(path, '\\'))
      if (part.empty()) {
        Problem(line, "malformed registry key \"" + std::string(text) + "\"");
        return std::nullopt;
      }
    key.path = std::string(path);
    return key;
  }

  // "%Name%\A\B\" or "X:\A\B" -> the same without a trailing "\" and with
  // "/" read as "\"; nullopt (reported) for anything else.
  std::optional<std::string> Folder(int line, std::string_view text) {
    std::string path(text);
    std::replace(path.begin(), path.end(), '/', '\\');
    while (path.size() > 1 && path.back() == '\\') path.pop_back();
    auto refuse = [&](const std::string& why) -> std::optional<std::string> {
      Problem(line, why + ": \"" + std::string(text) + "\"");
      return std::nullopt;
    };
    if (path.empty()) return refuse("no folder");
    std::vector<std::string_view> parts = Split(path, '\\');
    if (static_cast<int>(parts.size()) > kMaxComponents) return refuse("too deep a folder");
    std::string_view first = parts[0];
    bool drive = first.size() == 2 && first[1] == ':' &&
                 std::isalpha(static_cast<unsigned char>(first[0]));
    bool named = first.size() > 2 && first.front() == '%' && first.find('%', 1) == first.size() - 1;
    if (!drive && !named)
      return refuse("a folder must start with a drive or an environment name");
    for (std::size_t i = 0; i < parts.size(); ++i) {
      std::string_view part = parts[i];
      if (part.empty() || part == "." || part == "..") return refuse("malformed folder");
      if (i > 0 && part.find(':') != std::string_view::npos) return refuse("malformed folder");
      // Every %Name% in the component must be one of the known names.
      for (std::size_t at = part.find('%'); at != std::string_view::npos;) {
        std::size_t end = part.find('%', at + 1);
        if (end == std::string_view::npos) return refuse("unclosed environment name");
        std::string_view name = part.substr(at + 1, end - at - 1);
        if (!IsRuleFolderName(name)) return refuse("unknown environment name %" + std::string(name) + "%");
        at = part.find('%', end + 1);
      }
    }
    return path;
  }

  std::optional<std::vector<std::string>> Patterns(int line, std::string_view text) {
    std::vector<std::string> patterns;
    for (std::string_view p : Split(text, ';')) {
      if (p.empty()) continue;
      if (p.find_first_of("\\/:|") != std::string_view::npos || p == "." || p == "..") {
        Problem(line, "malformed file pattern \"" + std::string(p) + "\"");
        return std::nullopt;
      }
      patterns.emplace_back(p);
    }
    if (patterns.empty()) {
      Problem(line, "no file pattern");
      return std::nullopt;
    }
    return patterns;
  }

  void FileKey(int line, std::string_view value) {
    std::vector<std::string_view> parts = Split(value, '|');
    if (parts.size() < 2 || parts.size() > 3) {
      Problem(line, "malformed FileKey: FOLDER|PATTERNS[|RECURSE|REMOVESELF] expected");
      return;
    }
    RuleFiles files;
    files.line = line;
    if (parts.size() == 3) {
      if (EqualsIgnoringCase(parts[2], "RECURSE")) {
        files.recurse = true;
      } else if (EqualsIgnoringCase(parts[2], "REMOVESELF")) {
        files.recurse = files.removeSelf = true;
      } else {
        Problem(line, "unknown FileKey flag \"" + std::string(parts[2]) + "\"");
        return;
      }
    }
    auto folder = Folder(line, parts[0]);
    if (!folder) return;
    auto patterns = Patterns(line, parts[1]);
    if (!patterns) return;
    files.folder = std::move(*folder);
    files.patterns = std::move(*patterns);
    entry_->files.push_back(std::move(files));
  }

  void RegKey(int line, std::string_view value) {
    std::vector<std::string_view> parts = Split(value, '|');
    if (parts.size() > 2) {
      Problem(line, "malformed RegKey: KEY[|NAME] expected");
      return;
    }
    auto key = Key(line, parts[0]);
    if (!key) return;
    if (parts.size() == 1) {
      // The key goes with everything below it.
      if (Result<> mayGo = registry::KeyTreeMayGo(key->root, key->path); !mayGo) {
        Problem(line, "refused: \"" + std::string(parts[0]) + "\" is " + mayGo.message());
        return;
      }
    }
    RuleRegistry reg{line, std::move(*key), std::nullopt};
    if (parts.size() == 2) reg.value = std::string(parts[1]);
    entry_->registry.push_back(std::move(reg));
  }

  void ExcludeKey(int line, std::string_view value) {
    std::vector<std::string_view> parts = Split(value, '|');
    RuleExclusion ex;
    ex.line = line;
    std::string_view kind = parts[0];
    if (EqualsIgnoringCase(kind, "REG") && (parts.size() == 2 || parts.size() == 3)) {
      auto key = Key(line, parts[1]);
      if (!key) return;
      ex.kind = RuleExclusion::Kind::kRegistry;
      ex.key = std::move(*key);
      if (parts.size() == 3) ex.value = std::string(parts[2]);
    } else if ((EqualsIgnoringCase(kind, "FILE") && parts.size() == 3) ||
               (EqualsIgnoringCase(kind, "PATH") && (parts.size() == 2 || parts.size() == 3))) {
      ex.kind = EqualsIgnoringCase(kind, "FILE") ? RuleExclusion::Kind::kFile
                                                 : RuleExclusion::Kind::kPath;
      auto folder = Folder(line, parts[1]);
      if (!folder) return;
      auto patterns = Patterns(line, parts.size() == 3 ? parts[2] : "*.*");
      if (!patterns) return;
      ex.folder = std::move(*folder);
      ex.patterns = std::move(*patterns);
    } else {
      Problem(line, "malformed ExcludeKey: FILE|FOLDER|NAME, PATH|FOLDER|PATTERNS or REG|KEY[|NAME] expected");
      return;
    }
    entry_->exclusions.push_back(std::move(ex));
  }

  std::optional<OsVersion> Version(int line, std::string_view text, bool* ok) {
    if (text.empty()) return std::nullopt;
    int major = 0, minor = 0;
    std::size_t dot = text.find('.');
    auto number = [](std::string_view s, int* n) {
      if (s.empty() || s.size() > 4) return false;
      *n = 0;
      for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        *n = *n * 10 + (c - '0');
      }
      return true;
    };
    if (!number(text.substr(0, dot), &major) ||
        (dot != std::string_view::npos && !number(text.substr(dot + 1), &minor))) {
      Problem(line, "malformed Windows version \"" + std::string(text) + "\"");
      *ok = false;
    }
    return OsVersion{major, minor};
  }

  void Entry(int line, std::string_view key, std::string_view value) {
    std::string_view stem = Stem(key);
    auto is = [&](std::string_view name) { return EqualsIgnoringCase(stem, name); };
    auto whole = [&](std::string_view name) { return EqualsIgnoringCase(key, name); };
    if (whole("LangSecRef")) {
      LangSecRef(line, value);
    } else if (whole("Section")) {
      if (!listFromNumber_) {
        entry_->list = AppList::kApplications;
        for (int l = 0; l < kAppListCount; ++l)
          if (EqualsIgnoringCase(value, ListCaption(static_cast<AppList>(l))))
            entry_->list = static_cast<AppList>(l);
      }
    } else if (is("Detect")) {
      if (auto k = Key(line, value)) entry_->detects.push_back({line, false, std::move(*k), {}});
    } else if (is("DetectFile")) {
      if (auto f = Folder(line, value)) entry_->detects.push_back({line, true, {}, std::move(*f)});
    } else if (whole("DetectOS")) {
      std::vector<std::string_view> parts = Split(value, '|');
      if (parts.size() != 2) {
        Problem(line, "malformed DetectOS: MIN|MAX expected");
        return;
      }
      bool ok = true;
      OsRange range{Version(line, parts[0], &ok), Version(line, parts[1], &ok)};
      if (ok) entry_->os = range;
    } else if (whole("SpecialDetect")) {
      const RuleKey* k = SpecialDetectKey(value);
      if (!k) {
        Problem(line, "unknown SpecialDetect \"" + std::string(value) + "\"");
        return;
      }
      entry_->detects.push_back({line, false, *k, {}});
    } else if (is("FileKey")) {
      ++entry_->cleaningLines;
      FileKey(line, value);
    } else if (is("RegKey")) {
      ++entry_->cleaningLines;
      RegKey(line, value);
    } else if (is("ExcludeKey")) {
      ExcludeKey(line, value);
    } else if (whole("Warning")) {
      entry_->warning = std::string(value);
    }
    // Default= and the keys this reader does not know are left alone.
  }

  void LangSecRef(int line, std::string_view value) {
    static constexpr std::pair<std::string_view, AppList> kCodes[] = {
        {"3021", AppList::kApplications}, {"3022", AppList::kInternet},
        {"3023", AppList::kMultimedia},   {"3024", AppList::kUtilities},
        {"3025", AppList::kWindows},      {"3031", AppList::kWindows},
        {"3001", AppList::kInternet},     {"3005", AppList::kInternet},
        {"3006", AppList::kInternet},     {"3026", AppList::kInternet},
        {"3027", AppList::kInternet},     {"3028", AppList::kInternet},
        {"3029", AppList::kInternet},     {"3030", AppList::kInternet},
        {"3033", AppList::kInternet},     {"3034", AppList::kInternet},
    };
    for (const auto& [code, list] : kCodes)
      if (value == code) {
        entry_->list = list;
        listFromNumber_ = true;
        return;
      }
    Problem(line, "unknown LangSecRef \"" + std::string(value) + "\": listed under Applications");
  }

  void Section(int line, std::string_view name) {
    Finish();
    if (name.size() >= 2 && name.substr(name.size() - 2) == " *") name.remove_suffix(2);
    name = Trim(name);
    if (name.empty()) {
      Problem(line, "a section without a name: skipped");
      return;
    }
    // The entries' marks are stored in registry values named by their texts,
    // and those names ignore letter case: two names that differ only in it
    // would share one mark.
    auto [first, added] = names_.try_emplace(platform::FoldAscii(name), std::string(name), line);
    if (!added) {
      const auto& [text, firstLine] = first->second;
      Problem(line, "a second section \"" + std::string(name) + "\"" +
                        (text == name ? std::string()
                                      : " (line " + std::to_string(firstLine) + " has \"" +
                                            text + "\", which differs only in letter case)") +
                        ": skipped");
      return;
    }
    current_ = RuleEntry{};
    current_.text = std::string(name);
    current_.line = line;
    entry_ = &current_;
    listFromNumber_ = false;
  }

  void Finish() {
    if (entry_) out_.entries.push_back(std::move(current_));
    entry_ = nullptr;
  }

  void Line(int line, std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.front() == ';') return;
    // No name, path or pattern holds a control character, and a NUL would
    // cut one short where it becomes a C string: a key path would name the
    // key above it, a section would be listed as the text before the NUL.
    if (platform::HoldsControlCharacter(text)) {
      bool header = text.front() == '[';
      Problem(line, "a control character in \"" + platform::ShowControlCharacters(text) +
                        (header ? "\": its entry is skipped" : "\": skipped"));
      if (header) {
        seenSection_ = true;
        Finish();  // its keys would otherwise land in the section before
      } else if (entry_ && CleaningKey(Trim(text.substr(0, text.find('='))))) {
        ++entry_->cleaningLines;
      }
      return;
    }
    if (text.front() == '[') {
      seenSection_ = true;
      if (text.back() != ']') {
        Problem(line, "malformed section header: its entry is skipped");
        Finish();  // its keys would otherwise land in the section before
        return;
      }
      Section(line, text.substr(1, text.size() - 2));
      return;
    }
    std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) {
      Problem(line, "malformed line: KEY=VALUE expected");
      return;
    }
    if (!entry_) {
      if (!seenSection_) Problem(line, "a key outside any section");
      return;
    }
    Entry(line, Trim(text.substr(0, eq)), Trim(text.substr(eq + 1)));
  }

 private:
  std::string file_;
  RuleFile& out_;
  RuleEntry current_;
  RuleEntry* entry_ = nullptr;
  bool listFromNumber_ = false;
  bool seenSection_ = false;
  // The section names read, by their folded text: as written, and the line.
  std::map<std::string, std::pair<std::string, int>> names_;
};

}  // namespace

Failure LineProblem(std::string_view file, int line, const std::string& message) {
  return Fail(std::string(file) + ", line " + std::to_string(line) + ": " + message);
}

bool IsRuleFolderName(std::string_view name) {
  return std::any_of(std::begin(kFolderNames), std::end(kFolderNames),
                     [&](std::string_view n) { return EqualsIgnoringCase(n, name); });
}

const RuleKey* SpecialDetectKey(std::string_view name) {
  static const std::pair<std::string_view, RuleKey> kKeys[] = {
      {"DET_CHROME", {kHkeyCurrentUser, "Software\\Google\\Chrome"}},
      {"DET_MOZILLA", {kHkeyCurrentUser, "Software\\Mozilla\\Firefox"}},
      {"DET_THUNDERBIRD", {kHkeyCurrentUser, "Software\\Mozilla\\Thunderbird"}},
      {"DET_OPERA", {kHkeyCurrentUser, "Software\\Opera Software"}},
  };
  for (const auto& [n, key] : kKeys)
    if (EqualsIgnoringCase(n, name)) return &key;
  return nullptr;
}

const char* ListCaption(AppList list) {
  switch (list) {
    case AppList::kApplications: return "Applications";
    case AppList::kInternet: return "Internet";
    case AppList::kMultimedia: return "Multimedia";
    case AppList::kUtilities: return "Utilities";
    case AppList::kWindows: break;
  }
  return "Windows";
}

RuleFile ParseRules(std::string_view text, std::string_view fileName) {
  RuleFile out;
  Parser parser(fileName, out);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int line = 0;
  while (!text.empty()) {
    ++line;
    std::size_t end = text.find('\n');
    parser.Line(line, text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  parser.Finish();
  return out;
}

}  // namespace vb::catalogue
