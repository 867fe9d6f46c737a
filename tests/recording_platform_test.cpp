// The recording platform against the real thing: one script of changes and
// reads runs on an emulated machine and, recorded, on an identical one.
// Every answer must be the same, and the second machine must end exactly as
// it began. Only calls that Analyze and plan make are tried here, and of them
// only what the plan property (plan_property_test) does not already hold.
#include "platform/recording_platform.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/emulated/database.h"
#include "platform/emulated/dos_attributes.h"
#include "platform/emulated/host_paths.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::win;
using platform::FindData;
using platform::FolderHandle;
using platform::RecordingPlatform;
using test::TempMachine;
namespace fs = std::filesystem;

const std::string kTrial = "C:\\Trial";
const char* const kTrialKey = "Software\\Trial";
const BYTE kData[] = "data";

// A machine laid out alike for both sides: keys and values, and URL-cache
// entries, one of them with its file held in use.
struct Laid {
  explicit Laid(const fixtures::InitOptions& options = {}) : m(options) {
    platform::FileSystemApi& files = m.platform().Files();
    EXPECT_EQ(files.CreateDirectoryA(kTrial), kErrorSuccess);
    for (const char* file : {"a.txt", "cache1.dat", "cachebusy.dat"})
      EXPECT_EQ(files.WriteFileBytes(kTrial + "\\" + file, file), kErrorSuccess) << file;
    held = emu::HostFd(open(Host("cachebusy.dat").c_str(), O_RDONLY | O_CLOEXEC));
    EXPECT_EQ(flock(held.get(), LOCK_EX), 0);

    platform::RegistryApi& reg = m.platform().Registry();
    HKEY key = 0;
    for (const char* path : {"Software\\Trial\\Leaf", "Software\\Trial\\Parent\\Child"}) {
      EXPECT_EQ(reg.RegCreateKeyA(kHkeyCurrentUser, path, &key), kErrorSuccess);
      EXPECT_EQ(reg.RegSetValueExA(key, "in", kRegSz, kData, sizeof kData), kErrorSuccess);
      reg.RegCloseKey(key);
    }
    EXPECT_EQ(reg.RegOpenKeyA(kHkeyCurrentUser, kTrialKey, &key), kErrorSuccess);
    for (const char* value : {"v1", "v2", "v3"})
      EXPECT_EQ(reg.RegSetValueExA(key, value, kRegBinary, kData, 4), kErrorSuccess);
    reg.RegCloseKey(key);

    platform::UrlCacheApi& cache = m.platform().UrlCache();
    EXPECT_EQ(cache.CommitUrlCacheEntryA("http://one/", (kTrial + "\\cache1.dat").c_str(), 1), 0);
    EXPECT_EQ(cache.CommitUrlCacheEntryA("http://busy/", (kTrial + "\\cachebusy.dat").c_str(), 1), 0);
    EXPECT_EQ(cache.CommitUrlCacheEntryA("Cookie:user@site/", "", kCookieCacheEntry), 0);
    for (const char* url : {"http://two/", "http://three/"})
      EXPECT_EQ(cache.CommitUrlCacheEntryA(url, "", 1), 0);
  }
  std::string Host(const std::string& relative) { return m.Host("drive_c/Trial/" + relative); }

  TempMachine m;
  emu::HostFd held;
};

// Everything of a machine: each entry of its drives with its type, mode,
// DOS attributes and content, and each row of registry.db.
std::string Snapshot(TempMachine& m) {
  std::string out;
  for (const fs::directory_entry& drive : fs::directory_iterator(m.folder())) {
    if (drive.path().filename().string().rfind("drive_", 0) != 0) continue;
    std::vector<std::string> lines;
    for (auto it = fs::recursive_directory_iterator(drive.path()); it != fs::end(it); ++it) {
      struct stat st;
      std::string path = it->path().string();
      lstat(path.c_str(), &st);
      char dos[32] = {};
      lgetxattr(path.c_str(), emu::kDosAttribXattr, dos, sizeof dos - 1);
      std::string line = path + " " + std::to_string(st.st_mode) + " " + dos;
      if (S_ISREG(st.st_mode)) line += " " + test::ReadHostFile(path);
      if (S_ISLNK(st.st_mode)) line += " -> " + fs::read_symlink(it->path()).string();
      lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines) out += line + "\n";
  }
  for (const char* sql :
       {"SELECT id || '|' || parent || '|' || name FROM keys ORDER BY id",
        "SELECT key || '|' || name || '|' || type || '|' || hex(data) FROM vals ORDER BY id",
        "SELECT id || '|' || url || '|' || local_file || '|' || type FROM url_cache ORDER BY id",
        "SELECT command FROM launched ORDER BY id"}) {
    emu::Statement rows(m.machine().Db().handle(), sql);
    while (rows.Step()) out += rows.Text(0) + "\n";
  }
  return out;
}

// The elements of a braced list are evaluated in order, unlike the operands
// of "+": each step lists its calls so.
std::string Codes(std::initializer_list<LONG> codes) {
  std::string out;
  for (LONG code : codes) out += std::to_string(code) + " ";
  return out;
}
std::string Join(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& part : parts) out += part + "|";
  return out;
}

// One side of the script: a platform and the handles its steps opened.
struct Side {
  platform::Platform& p;
  std::map<std::string, HKEY> keys;

  platform::RegistryApi& reg() { return p.Registry(); }

  // A key, its values in order and its subkeys, all the way down.
  std::string Keys(HKEY root, const std::string& path) {
    HKEY key = 0;
    LONG error = reg().RegOpenKeyExA(root, path.c_str(), 0, kKeyRead, &key);
    if (error != kErrorSuccess) return path + " " + std::to_string(error) + "\n";
    platform::RegKeyInfo info;
    LONG queried = reg().RegQueryInfoKeyA(key, &info);
    std::string out = path + " info " +
                      Codes({queried, LONG(info.subKeys), LONG(info.values),
                             LONG(info.maxValueNameLen), LONG(info.maxValueLen)}) +
                      "\n";
    char name[256];
    BYTE data[256];
    for (DWORD i = 0;; ++i) {
      DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
      if (reg().RegEnumValueA(key, i, name, &nameSize, &type, data, &dataSize) != kErrorSuccess)
        break;
      out += path + " = " + name + " " + std::to_string(type) + " " +
             std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0; reg().RegEnumKeyA(key, i, name, sizeof name) == kErrorSuccess; ++i)
      subkeys.push_back(name);
    reg().RegCloseKey(key);
    for (const std::string& sub : subkeys) out += Keys(root, path + "\\" + sub);
    return out;
  }
  std::string Cache() {
    std::string out;
    std::vector<std::uint64_t> buffer(512);
    auto* entry = reinterpret_cast<platform::UrlCacheEntryInfoA*>(buffer.data());
    DWORD size = sizeof(std::uint64_t) * 512;
    platform::CacheHandle handle = 0;
    LONG error = p.UrlCache().FindFirstUrlCacheEntryA(nullptr, entry, &size, &handle);
    while (error == kErrorSuccess) {
      out += std::string(entry->lpszSourceUrlName) + " " +
             (entry->lpszLocalFileName ? entry->lpszLocalFileName : "-") + " " +
             std::to_string(entry->CacheEntryType) + " " + std::to_string(entry->dwSizeLow) + "\n";
      size = sizeof(std::uint64_t) * 512;
      error = p.UrlCache().FindNextUrlCacheEntryA(handle, entry, &size);
    }
    if (handle) p.UrlCache().FindCloseUrlCache(handle);
    return out + std::to_string(error);
  }
};

using Step = std::function<std::string(Side&)>;

// Runs the steps on the real machine and, recording, on the other; each
// answer must agree, and the recorded machine must be left as it was.
void Differ(Laid& real, Laid& recorded, RecordingPlatform& recorder,
            const std::vector<Step>& steps) {
  std::string before = Snapshot(recorded.m);
  Side actual{real.m.platform(), {}};
  Side seen{recorder, {}};
  recorder.StartRecording();
  for (std::size_t i = 0; i < steps.size(); ++i)
    EXPECT_EQ(steps[i](seen), steps[i](actual)) << "step " << i;
  EXPECT_EQ(Snapshot(recorded.m), before);
}

// The calls of Analyze and plan whose answers the plan property of
// plan_property_test, which compares plan with clean's run on several
// machines, does not hold one by one: the program's own settings written,
// keys made and found again in another letter case, a key with subkeys or
// deleted under a handle still open, and a cache entry whose file is in use.
TEST(RecordingPlatform, AnswersAsTheMachineWouldAndChangesNothing) {
  Laid real, recorded;
  RecordingPlatform recorder(recorded.m.platform());
  const BYTE text[] = "new";
  Differ(real, recorded, recorder,
         {
          // The registry: values, leaf keys, keys with subkeys, new keys.
          [&](Side& s) {
            HKEY& k = s.keys["trial"];
            auto& r = s.reg();
            LONG open = r.RegOpenKeyExA(kHkeyCurrentUser, kTrialKey, 0, kKeyAllAccess, &k);
            return Codes({open, r.RegDeleteValueA(k, "V2"), r.RegDeleteValueA(k, "v2"),
                          r.RegSetValueExA(k, "v1", kRegSz, text, sizeof text),
                          r.RegSetValueExA(k, "v4", kRegSz, text, sizeof text),
                          r.RegDeleteValueA(k, "v3"),
                          r.RegSetValueExA(k, "v3", kRegSz, text, sizeof text),
                          r.RegDeleteKeyA(k, "Parent"), r.RegDeleteKeyA(k, "parent\\child"),
                          r.RegDeleteKeyA(k, "Parent"), r.RegDeleteKeyA(k, "Leaf"),
                          r.RegDeleteKeyA(k, "Leaf"), r.RegDeleteKeyA(kHkeyCurrentUser, "")});
          },
          [](Side& s) {
            HKEY made = 0, again = 0;
            DWORD disposition = 0, second = 0;
            auto& r = s.reg();
            LONG create = r.RegCreateKeyExA(s.keys["trial"], "Made\\Deeper", 0, nullptr, 0,
                                            kKeyAllAccess, &made, &disposition);
            LONG set = r.RegSetValueExA(made, "inside", kRegDword, kData, 4);
            LONG reopen = r.RegCreateKeyExA(kHkeyCurrentUser, "software\\trial\\made\\deeper", 0,
                                            nullptr, 0, kKeyRead, &again, &second);
            LONG deleted = r.RegDeleteKeyA(s.keys["trial"], "Made\\Deeper");
            LONG dead = r.RegSetValueExA(made, "after", kRegDword, kData, 4);
            r.RegCloseKey(made);
            r.RegCloseKey(again);
            return Codes({create, LONG(disposition), set, reopen, LONG(second), deleted, dead});
          },
          [](Side& s) {
            s.reg().RegCloseKey(s.keys["trial"]);
            return s.Keys(kHkeyCurrentUser, kTrialKey);
          },
          // The URL cache: an entry whose file is in use, a cookie.
          [](Side& s) {
            auto& c = s.p.UrlCache();
            return Join({s.Cache(),
                         Codes({c.DeleteUrlCacheEntryA("http://one/"),
                                c.DeleteUrlCacheEntryA("http://one/"),
                                c.DeleteUrlCacheEntryA("http://busy/"),
                                c.DeleteUrlCacheEntryA("Cookie:user@site/")}),
                         s.Cache()});
          },
         });
}

TEST(RecordingPlatform, ALimitedUserIsRefusedWhatHeMayNotWrite) {
  fixtures::InitOptions limited;
  limited.limitedUser = true;
  Laid real(limited), recorded(limited);
  RecordingPlatform recorder(recorded.m.platform());
  Differ(real, recorded, recorder, {[](Side& s) {
           auto& r = s.reg();
           HKEY software = 0, full = 0, made = 0;
           LONG open = r.RegOpenKeyA(kHkeyLocalMachine, "Software", &software);
           LONG codes[] = {r.RegOpenKeyExA(kHkeyLocalMachine, "Software", 0, kKeyAllAccess, &full),
                           r.RegCreateKeyA(kHkeyLocalMachine, "Software\\New", &made),
                           r.RegSetValueExA(software, "v", kRegSz, kData, sizeof kData),
                           r.RegDeleteKeyA(kHkeyLocalMachine, "Software\\Microsoft\\Windows NT"),
                           r.RegDeleteValueA(kHkeyLocalMachine, "none"),
                           r.RegCreateKeyA(kHkeyCurrentUser, "Software\\Allowed", &made)};
           r.RegCloseKey(software);
           r.RegCloseKey(made);
           std::string out = Codes({open});
           for (LONG code : codes) out += std::to_string(code) + " ";
           return Join({out, s.Keys(kHkeyCurrentUser, "Software\\Allowed")});
         }});
}

TEST(RecordingPlatform, PassesThroughOnceStoppedAndStampsAFolderItChanged) {
  Laid laid;
  RecordingPlatform recorder(laid.m.platform());
  platform::FileSystemApi& files = recorder.Files();
  recorder.StartRecording();
  FolderHandle trial = platform::kInvalidFolderHandle;
  ASSERT_EQ(files.OpenFolder(kTrial, &trial, nullptr), kErrorSuccess);
  platform::FolderStamp before, after;
  ASSERT_EQ(files.GetFolderStamp(trial, &before), kErrorSuccess);
  ASSERT_EQ(files.DeleteEntryFile(trial, "a.txt"), kErrorSuccess);
  ASSERT_EQ(files.GetFolderStamp(trial, &after), kErrorSuccess);
  EXPECT_FALSE(after.SameAs(before));
  ASSERT_EQ(files.CreateDirectoryA(kTrial + "\\made"), kErrorSuccess);
  FolderHandle made = platform::kInvalidFolderHandle;
  ASSERT_EQ(files.OpenFolder(kTrial + "\\made", &made, nullptr), kErrorSuccess);
  files.CloseFolder(trial);

  recorder.StopRecording();
  EXPECT_TRUE(fs::exists(laid.Host("a.txt")));
  std::vector<FindData> entries;
  EXPECT_EQ(files.ListFolder(made, platform::ListDetail::kFull, &entries), kErrorInvalidHandle);
  files.CloseFolder(made);
  // Changes reach the machine again.
  EXPECT_EQ(files.DeleteFileA(kTrial + "\\a.txt"), kErrorSuccess);
  EXPECT_FALSE(fs::exists(laid.Host("a.txt")));
  HKEY key = 0;
  ASSERT_EQ(recorder.Registry().RegOpenKeyA(kHkeyCurrentUser, kTrialKey, &key), kErrorSuccess);
  EXPECT_EQ(recorder.Registry().RegDeleteValueA(key, "v1"), kErrorSuccess);
  recorder.Registry().RegCloseKey(key);
  EXPECT_EQ(laid.m.platform().Registry().RegOpenKeyA(kHkeyCurrentUser, kTrialKey, &key),
            kErrorSuccess);
  EXPECT_EQ(laid.m.platform().Registry().RegQueryValueExA(key, "v1", nullptr, nullptr, nullptr),
            kErrorFileNotFound);
  laid.m.platform().Registry().RegCloseKey(key);
}

}  // namespace
}  // namespace vb
