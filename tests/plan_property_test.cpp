// The one property that holds the preview to the run: on the demonstration
// machine, on machines laid out from data in plan/ and on generated ones
// (every item and entry ticked; rule files; personalized folders, files and
// keys; links, odd names, attributes and files in use, hidden folders),
// `plan` lists exactly the actions `clean` then makes: each of them made, and
// nothing changed that no action names; and neither `plan` nor `analyze`
// changes anything at all. On the machines of fixed content, Analyze's
// actions and the plan, each with the item or entry that makes it, are also
// held to the files plan/NAME_analyze.jsonl and plan/NAME_plan.jsonl.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <tuple>

#include "base/utf8.h"
#include "browser/cache_cursor.h"
#include "engine/items.h"
#include "fixtures/demo_traces.h"
#include "platform/ascii_case.h"
#include "platform/registry_values.h"
#include "registry/reg_file_registry.h"
#include "registry/reg_file_text.h"
#include "registry/root_names.h"
#include "registry/settings_store.h"
#include "shared/transcript.h"
#include "support/verb_runner.h"
#include "support/registry_checks.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

namespace fs = std::filesystem;
using namespace vb::win;
using Snapshot = std::map<std::string, std::string>;

using test::Lines;

// One JSON field's text, unescaped enough for the paths the machines hold:
// UTF-8, a lone \udcXX being the byte XX of a name that is not UTF-8.
std::string Field(const std::string& line, const std::string& name) {
  std::string key = "\"" + name + "\": \"";
  std::size_t at = line.find(key);
  if (at == std::string::npos) return {};
  std::string out;
  for (std::size_t i = at + key.size(); i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && line.compare(i + 1, 1, "u") == 0) {
      char32_t code = std::stoul(line.substr(i + 2, 4), nullptr, 16);
      i += 5;
      if (code >= 0xDC80 && code <= 0xDCFF) {
        out += static_cast<char>(code - 0xDC00);
        continue;
      }
      if (code >= 0xD800 && code <= 0xDBFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (std::stoul(line.substr(i + 3, 4), nullptr, 16) - 0xDC00);
        i += 6;
      }
      AppendUtf8(out, code);
      continue;
    }
    if (line[i] == '\\') ++i;
    out += line[i];
  }
  return out;
}

class PlanProperty : public ::testing::Test {
 protected:
  test::Ran Verb(const std::string& verb, const std::vector<std::string>& args) {
    return test::RunVerb(*m, verb, args);
  }

  // Every item box, "Clean Personalized" and every entry the lists show.
  std::vector<std::string> Everything() {
    std::vector<std::string> names = {"Check8"};
    for (const engine::ItemRow& item : engine::ItemRows()) names.push_back(item.control);
    for (const std::string& line : Lines(Verb("list", {}).out))
      if (line.rfind("entry\t", 0) == 0) names.push_back(line.substr(line.rfind('\t') + 1));
    std::vector<std::string> args;
    for (const std::string& name : names) {
      args.push_back("--select");
      args.push_back(name);
    }
    return args;
  }

  // Every file and folder of the drives (bytes, link target, mode, DOS
  // attributes), every registry key and value, and the URL cache.
  Snapshot Take() {
    Snapshot all;
    for (const auto& e : fs::recursive_directory_iterator(m->Host("drive_c"))) {
      char dos[16] = {};
      lgetxattr(e.path().c_str(), "user.DOSATTRIB", dos, sizeof dos - 1);
      std::string what = e.is_symlink()     ? "link " + fs::read_symlink(e.path()).string()
                         : e.is_directory() ? "folder"
                                            : test::ReadHostFile(e.path());
      all["file " + e.path().string()] =
          what + " " + dos + " " + std::to_string(static_cast<int>(e.symlink_status().permissions()));
    }
    auto& reg = m->platform().Registry();
    std::vector<std::pair<HKEY, std::string>> keys = {
        {kHkeyCurrentUser, ""}, {kHkeyLocalMachine, ""}, {kHkeyClassesRoot, ""}, {kHkeyUsers, ""}};
    while (!keys.empty()) {
      auto [root, path] = keys.back();
      keys.pop_back();
      std::string name = "key " + registry::JoinKeyPath(root, path);
      all[name] = "";
      for (const platform::RegValue& v : platform::ReadAllValues(reg, root, path))
        all[name + "|" + v.name] = std::to_string(v.type) + ":" +
                                   std::string(v.data.begin(), v.data.end());
      for (const std::string& sub : platform::ReadSubKeyNames(reg, root, path))
        keys.push_back({root, path.empty() ? sub : path + "\\" + sub});
    }
    browser::CacheCursor cache(m->platform().UrlCache());
    for (bool more = cache.FirstCacheEntry(); more; more = cache.NextCacheEntry())
      all["cache " + cache.CacheEntryUrl()] = cache.CacheEntryFile();
    cache.CloseCacheEnum();
    return all;
  }

  // Whether what an action of clean names is gone from the machine (a bin
  // emptied, attributes cleared unless the entry went after).
  bool Gone(const std::string& line) {
    auto& files = m->platform().Files();
    if (line.find("\"action\": \"refused\"") != std::string::npos) return true;
    if (line.find("\"recycleBin\"") != std::string::npos) {
      platform::RecycleBinInfo bin;
      return m->platform().Shell().SHQueryRecycleBinA(nullptr, &bin) == kSOk && bin.i64NumItems == 0;
    }
    if (line.find("\"attributes cleared\"") != std::string::npos) {
      DWORD now = files.GetFileAttributesA(Field(line, "path"));
      return now == kInvalidFileAttributes ||
             (now & (kFileAttributeReadonly | kFileAttributeHidden | kFileAttributeSystem)) == 0;
    }
    if (std::string url = Field(line, "url"); !url.empty())
      return Take().count("cache " + url) == 0;
    // A database loses rows, never its file.
    if (std::string database = Field(line, "database"); !database.empty())
      return files.GetFileAttributesA(database) != kInvalidFileAttributes;
    if (std::string key = Field(line, "key"); !key.empty()) {
      Result<registry::KeyPath> path = registry::SplitKeyPath(key);
      if (!path) return false;
      if (line.find("\"value\": ") == std::string::npos)
        return !test::KeyExists(m->platform().Registry(), path->root, path->subKey);
      std::string value = Field(line, "value");
      for (const auto& v : platform::ReadAllValues(m->platform().Registry(), path->root, path->subKey))
        if (v.name == value) return false;
      return true;
    }
    std::string path = Field(line, "path").empty() ? Field(line, "folder") : Field(line, "path");
    return files.GetFileAttributesA(path) == kInvalidFileAttributes;
  }

  // The property on the machine as it stands, with at least so many actions.
  void Check(const std::string& what, std::size_t atLeast = 20) {
    SCOPED_TRACE(what);
    std::vector<std::string> all = Everything();
    const Snapshot before = Take();
    std::vector<std::string> json = all;
    json.push_back("--json");
    test::Ran analyze = Verb("analyze", json);
    ASSERT_EQ(analyze.code, 0) << analyze.err;
    analyzed = Lines(analyze.out);
    ASSERT_FALSE(analyzed.empty());
    analyzed.pop_back();
    EXPECT_EQ(Take(), before) << "analyze changed the machine";
    test::Ran plan = Verb("plan", json);
    ASSERT_EQ(plan.code, 0) << plan.err;
    EXPECT_EQ(Take(), before) << "plan changed the machine";
    json.push_back("--yes");
    test::Ran clean = Verb("clean", json);
    ASSERT_EQ(clean.code, 0) << clean.err;
    std::vector<std::string> made = Lines(clean.out);
    planned = Lines(plan.out);
    ASSERT_FALSE(planned.empty());
    ASSERT_FALSE(made.empty());
    // The summaries differ in their verb, times and results box only.
    std::string planSummary = planned.back(), cleanSummary = made.back();
    planned.pop_back();
    made.pop_back();
    std::string only;
    for (const auto& [these, others, name] : {std::tuple{&planned, &made, "planned only: "},
                                              std::tuple{&made, &planned, "made only: "}})
      for (const std::string& line : *these)
        if (std::find(others->begin(), others->end(), line) == others->end())
          only += name + line + "\n";
    EXPECT_TRUE(planned == made) << only;
    auto totals = [](const std::string& summary) {
      std::size_t from = summary.find("\"files\"");
      return summary.substr(from, summary.find("\"computer\"") - from);
    };
    EXPECT_EQ(totals(planSummary), totals(cleanSummary));
    std::size_t kept = 0;
    for (const std::string& line : made) kept += Gone(line) ? 0 : 1;
    EXPECT_EQ(kept, 0u) << clean.out;
    EXPECT_GE(made.size(), atLeast);
    // And clean changed nothing the plan does not name: each file, key, value
    // or cache entry changed is one the plan names or lies below one it
    // names; only the program's own settings change besides.
    std::vector<std::string> named = {
        Folded("key HKEY_CURRENT_USER\\" + std::string(registry::settings::kStoreRoot))};
    for (const std::string& line : made) {
      if (line.find("\"recycleBin\"") != std::string::npos)
        named.push_back(Folded("file C:\\RECYCLER"));
      for (const char* field : {"path", "folder", "database"})
        if (std::string path = Field(line, field); !path.empty())
          named.push_back(Folded("file " + path));
      if (std::string key = Field(line, "key"); !key.empty())
        named.push_back(Folded("key " + key) + (line.find("\"value\": ") == std::string::npos
                                                    ? ""
                                                    : "|" + platform::FoldAscii(Field(line, "value"))));
      // A cache entry goes with its file.
      if (std::string url = Field(line, "url"); !url.empty() && before.count("cache " + url)) {
        named.push_back(Folded("cache " + url));
        if (const std::string& file = before.at("cache " + url); !file.empty())
          named.push_back(Folded("file " + file));
      }
    }
    const Snapshot after = Take();
    std::string unnamed;
    auto check = [&](const std::string& what) {
      std::string folded = Folded(what);
      for (const std::string& n : named)
        if (folded.rfind(n, 0) == 0 &&
            (folded.size() == n.size() || folded[n.size()] == '\\' || folded[n.size()] == '|'))
          return;
      unnamed += what + "\n";
    };
    for (const auto& [what, state] : before)
      if (!after.count(what) || after.at(what) != state) check(what);
    for (const auto& [what, state] : after)
      if (!before.count(what)) check(what);
    EXPECT_EQ(unnamed, "") << "changed by clean, named by no action of the plan";
  }

  // A snapshot's or an action's name in one spelling: a host path of drive C:
  // as its Windows path, letter case folded, backslashes single, none last.
  std::string Folded(std::string name) {
    const std::string drive = "file " + m->Host("drive_c");
    if (name.rfind(drive, 0) == 0) name = "file C:" + name.substr(drive.size());
    std::replace(name.begin(), name.end(), '/', '\\');
    std::string out;
    for (char c : name)
      if (c != '\\' || out.empty() || out.back() != '\\') out += c;
    while (!out.empty() && out.back() == '\\') out.pop_back();
    return platform::FoldAscii(out);
  }

  // Which item or entry measures and takes which trace, and so what stays:
  // Analyze's actions and the plan are those plan/NAME_analyze.jsonl and
  // plan/NAME_plan.jsonl hold.
  void Pinned(const std::string& name) {
    for (const auto& [lines, verb] : {std::pair{&analyzed, "_analyze"}, {&planned, "_plan"}}) {
      std::string got;
      for (const std::string& line : *lines) got += line + "\n";
      fs::path file = fs::path(__FILE__).parent_path() / "plan" / (name + verb + ".jsonl");
      EXPECT_EQ(got, test::ReadHostFile(file.string())) << got;
    }
  }

  void Lay(const std::string& name) {
    const fs::path data = fs::path(__FILE__).parent_path() / "plan";
    if (fs::exists(data / (name + ".drive_c")))
      fs::copy(data / (name + ".drive_c"), m->Host("drive_c"),
               fs::copy_options::recursive | fs::copy_options::overwrite_existing |
                   fs::copy_options::copy_symlinks);
    Result<> imported = registry::ImportRegFile(m->platform().Registry(),
                                                test::ReadHostFile(data / (name + ".reg")),
                                                m->platform().System().GetACP());
    ASSERT_TRUE(imported) << imported.message();
  }

  std::unique_ptr<test::TempMachine> m;
  std::vector<std::string> planned, analyzed;  // the actions, the summaries aside
};

TEST_F(PlanProperty, HoldsOnTheDemonstrationMachine) {
  m = std::make_unique<test::TempMachine>();
  test::AddDemoTracesAndPassWarning(*m);
  Check("demonstration machine");
  Pinned("demo_machine");
}

// Windows 11's shape, with today's browsers' databases and Windows traces.
TEST_F(PlanProperty, HoldsOnTheWindows11DemonstrationMachine) {
  m = std::make_unique<test::TempMachine>(fixtures::InitOptions{.modern = true});
  ASSERT_TRUE(fixtures::AddDemoTraces(m->machine(), true));
  test::PassCleanerWarning(*m);
  Check("Windows 11 demonstration machine", 60);
}

// Machines laid out by data, as an end-to-end script's are: the files of
// plan/NAME.drive_c (if any) on drive C:, the keys and values of plan/NAME.reg.
// catalogue_machine holds traces of catalogue entries the demonstration
// machine lacks, beside neighbours the entries must leave: values the .reg
// file names, and files (Netscape's bookmark.htm, the keep.txt, .exe, .ini
// and .fil files beside logs; Yahoo! Messenger's log.txt, an entry with no
// cleaner). Ad-Aware 5/6 is found by "\\Lavasoft\\Ad-aware" but cleans
// "\\Lavasoft Ad-aware"; XoftSpy's tree step takes the folders too.
// rule_machine: rules of a rule file (its comments say what each shows) over
// their folders, files, keys and links: what each takes, what its exclusions
// keep, and that no link is followed. browser_machine: Firefox with two
// profiles: each of the six entries takes its files of the first profile
// (bookmarks.bak with the bookmarks, the cache's subfolders, prefs.js kept),
// and the second profile stays as it is. personal_machine: the user's own
// registry entries (the .reg file says which). Each with the fewest actions
// its run must make.
TEST_F(PlanProperty, HoldsOnMachinesLaidOutFromData) {
  for (auto [name, atLeast] :
       {std::pair{"catalogue_machine", std::size_t{20}}, {"rule_machine", std::size_t{20}},
        {"browser_machine", std::size_t{9}}, {"personal_machine", std::size_t{2}}}) {
    m = std::make_unique<test::TempMachine>();
    test::PassCleanerWarning(*m);
    Lay(name);
    Check(name, atLeast);
    Pinned(name);
  }
}

// Machines made at random from a seed, on top of the demonstration's traces.
TEST_F(PlanProperty, HoldsOnGeneratedMachines) {
  const std::string profile = "Documents and Settings/User/";
  const char* const folders[] = {
      "WINDOWS/Temp/",
      "Documents and Settings/User/Local Settings/Temp/",
      "Documents and Settings/User/Cookies/",
      "Documents and Settings/User/Recent/",
      "Documents and Settings/User/Application Data/Gen/",
      "Documents and Settings/User/Application Data/Opera/Opera/profile/cache4/",
      "Gen/Personal/",
  };
  // Names Windows can hold: never two that differ only in letter case, nor
  // one ending in a blank or a dot.
  const char* const names[] = {"a.tmp", " lead.tmp", "d.o.t.log", "caf\xc3\xa9.tmp",
                               "UPPER.TMP", "x", "keep.txt", " keep.txt", "deep.dat"};
  for (unsigned seed : {1u, 2u, 3u}) {
    m = std::make_unique<test::TempMachine>();
    test::AddDemoTracesAndPassWarning(*m);
    std::mt19937 random(seed);
    auto pick = [&](auto& list) { return list[random() % std::size(list)]; };
    std::vector<int> held;
    for (int i = 0; i < 60; ++i) {
      std::string path = std::string(pick(folders));
      for (int depth = random() % 3; depth > 0; --depth) path += "sub" + std::to_string(random() % 3) + "/";
      path += pick(names);
      std::string host = m->Host("drive_c/" + path);
      if (fs::is_directory(host)) continue;
      test::WriteHostFile(host, std::string(random() % 3000, 'g'));
      switch (random() % 6) {
        case 0: setxattr(host.c_str(), "user.DOSATTRIB", "0x2", 3, 0); break;
        case 1: setxattr(host.c_str(), "user.DOSATTRIB", "0x4", 3, 0); break;
        case 2: chmod(host.c_str(), 0444); break;
        case 3:
          if (int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC); fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0)
            held.push_back(fd);
          break;
        case 4: setxattr(fs::path(host).parent_path().c_str(), "user.DOSATTRIB", "0x2", 3, 0); break;
        default: break;
      }
    }
    // Links out of the trees, to what must stay.
    test::WriteHostFile(m->Host("drive_c/Keep/precious.txt"), "precious");
    fs::create_directories(m->Host("drive_c/WINDOWS/Temp/sub9"));
    fs::create_directory_symlink(m->Host("drive_c/Keep"), m->Host("drive_c/WINDOWS/Temp/sub9/out"));
    fs::create_symlink(m->Host("drive_c/Keep/precious.txt"), m->Host("drive_c/Gen/Personal/p.lnk"));
    // The user's own entries, and a rule file.
    using namespace registry::settings;
    auto& reg = m->platform().Registry();
    SaveSetting(reg, kAppName, kSettings, "(Opt)Enable Deletion for Read-Only Files",
                seed % 2 ? "1" : "0");
    AddListEntry(m->platform(), kFolders, "c:\\gen\\PERSONAL");  // not as the disk spells it
    AddListEntry(m->platform(), kFolders, "C:\\Keep\\..\\WINDOWS");
    AddListEntry(m->platform(), kFiles, "C:\\Gen\\Personal\\a.tmp");
    AddListEntry(m->platform(), kRegKeys, "HKEY_CURRENT_USER\\Software\\Gen");
    AddListEntry(m->platform(), kRegValues, "HKEY_CURRENT_USER\\Software\\GenValues|v" + std::to_string(seed));
    for (int k = 0; k < 5; ++k) {
      platform::WriteString(reg, kHkeyCurrentUser, "Software\\Gen\\K" + std::to_string(k), "v", "1");
      platform::WriteString(reg, kHkeyCurrentUser, "Software\\GenValues", "v" + std::to_string(k), "1");
    }
    test::WriteHostFile(m->Host("drive_c/Program Files/Vanbrisk/winapp2.ini"),
                        "[Generated *]\n"
                        "FileKey1=%AppData%\\Gen|*.tmp;*.log|RECURSE\n"
                        "FileKey2=%AppData%\\Gen\\sub1|*.*|REMOVESELF\n"
                        "ExcludeKey1=PATH|%AppData%\\Gen|keep.txt\n"
                        "RegKey1=HKCU\\Software\\GenValues|v0\n");
    m->platform().UrlCache().CommitUrlCacheEntryA("http://outside.example/",
                                                  "C:\\Keep\\precious.txt", kNormalCacheEntry);
    Check("seed " + std::to_string(seed));
    for (int fd : held) close(fd);
    EXPECT_EQ(test::ReadHostFile(m->Host("drive_c/Keep/precious.txt")), "precious");
  }
}

}  // namespace
}  // namespace vb
