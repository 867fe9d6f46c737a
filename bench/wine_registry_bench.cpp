// Reading a Wine prefix's registry files and writing them back: the text
// read into keys, the whole registry opened, the files written back as they
// were and with every key written anew, and saves after the changes a
// cleaning run makes (values and keys deleted in system.reg; one value in
// user.reg), each save replacing its file whole with a flush to disk.
//
//   wine_registry_bench [PREFIX] [ROUNDS] [TMPDIR]
//
// PREFIX: a prefix folder (one that `wineboot -i` made), read but never
// written: each round works on a copy. Without one, a system.reg of the size
// of a fresh win64 prefix's (some 9,000 keys, 1.7 MB) is generated, beside
// the user files captured from such a prefix (tests/data/wine-prefix).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/registry_values.h"
#include "platform/wine/replace_file.h"
#include "platform/wine/wine_names.h"
#include "platform/wine/wine_registry.h"
#include "platform/wine/wine_registry_file.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace vb::wine;

double Millis(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::u16string Units(const std::string& text) { return *UnitsFromAnsi(text); }

WineKey& Child(WineKey& key, const std::string& name) {
  if (std::shared_ptr<WineKey> found = FindSubkey(key, Units(name))) return *found;
  auto made = std::make_shared<WineKey>();
  made->name = Units(name);
  made->rewrite = true;
  made->modified = kTicks1601To1970 + 17040672000000000ull;
  return AddSubkey(key, made);
}

void String(WineKey& key, const std::string& name, const std::string& text) {
  std::u16string units = Units(text);
  units.push_back(0);
  PutValue(key, {Units(name), vb::win::kRegSz, BytesFromUnits(units)});
}

// A system.reg shaped like a fresh prefix's: COM classes with their
// servers, file types, and binary and number values among them.
std::string GeneratedSystemReg() {
  WineHive hive;
  hive.preamble = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";
  WineKey& classes = Child(Child(*hive.root, "Software"), "Classes");
  char name[64];
  for (int i = 0; i < 3600; ++i) {
    std::snprintf(name, sizeof name, "{%08X-%04X-11D0-8FF2-00A0D10038BC}", i * 2654435761u, i);
    WineKey& clsid = Child(Child(classes, "CLSID"), name);
    String(clsid, "", "Wine class " + std::to_string(i));
    WineKey& server = Child(clsid, "InprocServer32");
    String(server, "", "C:\\windows\\system32\\library" + std::to_string(i % 400) + ".dll");
    String(server, "ThreadingModel", i % 3 ? "Both" : "Apartment");
    if (i % 4 == 0) {
      std::string blob;
      for (int b = 0; b < 48; ++b) blob += static_cast<char>((i + b) & 0xFF);
      PutValue(clsid, {u"Data", vb::win::kRegBinary, blob});
    }
  }
  for (int i = 0; i < 1800; ++i) {
    WineKey& type = Child(classes, ".ext" + std::to_string(i));
    String(type, "Content Type", "application/x-type" + std::to_string(i));
    PutValue(type, {u"PerceivedFlags", vb::win::kRegDword, std::string("\x01\x00\x00\x00", 4)});
  }
  return WriteWineHive(hive);
}

void CopyPrefix(const std::string& from, const std::string& to) {
  fs::remove_all(to);
  fs::create_directories(to);
  for (const char* name : {"system.reg", "user.reg", "userdef.reg"})
    if (fs::exists(from + "/" + name)) fs::copy_file(from + "/" + name, to + "/" + name);
}

}  // namespace

int main(int argc, char** argv) {
  std::string prefix = argc > 1 ? argv[1] : "";
  int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  std::string tmp = argc > 3 ? argv[3] : fs::temp_directory_path().string();
  std::string source = tmp + "/vanbrisk-wine-bench-source";
  std::string work = tmp + "/vanbrisk-wine-bench";
  if (prefix.empty()) {
    fs::remove_all(source);
    fs::create_directories(source);
    CopyPrefix(VANBRISK_WINE_SAMPLE, source);
    std::string generated = GeneratedSystemReg();
    std::FILE* f = std::fopen((source + "/system.reg").c_str(), "wb");
    std::fwrite(generated.data(), 1, generated.size(), f);
    std::fclose(f);
    prefix = source;
  }
  std::string systemText = *ReadWholeFile(prefix + "/system.reg");
  std::vector<double> reads, opens, copies, anew, cleans, singles;
  std::size_t keys = 0, deleted = 0;
  for (int r = 0; r < rounds; ++r) {
    auto t = Clock::now();
    vb::Result<WineHive> hive = ReadWineHive(systemText);
    reads.push_back(Millis(t));
    if (!hive) {
      std::fprintf(stderr, "%s\n", hive.message().c_str());
      return 1;
    }
    t = Clock::now();
    std::string copied = WriteWineHive(*hive);
    copies.push_back(Millis(t));
    if (copied != systemText) std::fprintf(stderr, "system.reg was not written back as it was\n");
    std::vector<WineKey*> all{hive->root.get()};
    for (std::size_t i = 0; i < all.size(); ++i) {
      all[i]->rewrite = true;
      all[i]->blocks.clear();
      for (auto& subkey : all[i]->subkeys) all.push_back(subkey.get());
    }
    keys = all.size();
    t = Clock::now();
    std::string written = WriteWineHive(*hive);
    anew.push_back(Millis(t));

    CopyPrefix(prefix, work);
    t = Clock::now();
    auto opened = WineRegistry::Open(work);
    opens.push_back(Millis(t));
    if (!opened) {
      std::fprintf(stderr, "%s\n", opened.message().c_str());
      return 1;
    }
    WineRegistry& reg = **opened;
    // What a cleaning run does: a few hundred values and leaf keys go.
    t = Clock::now();
    deleted = 0;
    const std::string clsid = "Software\\Classes\\CLSID";
    std::vector<std::string> names = vb::platform::ReadSubKeyNames(reg, vb::win::kHkeyLocalMachine, clsid);
    for (std::size_t i = 0; i < names.size() && deleted < 300; i += 7) {
      std::string key = clsid + "\\" + names[i];
      for (const std::string& sub : vb::platform::ReadSubKeyNames(reg, vb::win::kHkeyLocalMachine, key))
        if (reg.RegDeleteKeyA(vb::win::kHkeyLocalMachine, (key + "\\" + sub).c_str()) == 0) ++deleted;
      vb::win::HKEY handle = 0;
      if (reg.RegOpenKeyA(vb::win::kHkeyLocalMachine, key.c_str(), &handle) == 0) {
        if (reg.RegDeleteValueA(handle, nullptr) == 0) ++deleted;
        reg.RegCloseKey(handle);
      }
    }
    if (reg.Save() != 0) std::fprintf(stderr, "the save failed\n");
    cleans.push_back(Millis(t));
    t = Clock::now();
    vb::platform::WriteString(reg, vb::win::kHkeyCurrentUser, "Software\\Vanbrisk", "Runs",
                              std::to_string(r));
    if (reg.Save() != 0) std::fprintf(stderr, "the save failed\n");
    singles.push_back(Millis(t));
  }
  double mb = static_cast<double>(systemText.size()) / 1048576;
  std::printf("system.reg: %.2f MB, %zu keys (%s); median of %d\n", mb, keys,
              prefix == source ? "generated" : prefix.c_str(), rounds);
  std::printf("read system.reg:                     %7.1f ms  %6.1f MB/s\n", Median(reads),
              mb / Median(reads) * 1000);
  std::printf("write it back, keys as read:         %7.1f ms\n", Median(copies));
  std::printf("write it back, every key anew:       %7.1f ms\n", Median(anew));
  std::printf("open the prefix (three files):       %7.1f ms\n", Median(opens));
  std::printf("delete %3zu keys and values, save:   %7.1f ms\n", deleted, Median(cleans));
  std::printf("set one value in user.reg, save:     %7.1f ms\n", Median(singles));
  fs::remove_all(work);
  fs::remove_all(source);
  return 0;
}
