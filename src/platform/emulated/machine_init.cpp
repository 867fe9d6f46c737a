#include "platform/emulated/machine_init.h"

#include <filesystem>
#include <fstream>

#include "platform/emulated/database.h"
#include "platform/emulated/emulated_registry.h"
#include "platform/emulated/machine.h"
#include "platform/emulated/machine_layout.h"
#include "platform/registry_values.h"

namespace vb::emu {

namespace fs = std::filesystem;
using namespace vb::win;

namespace {

// "C:\A\B" below a fresh machine folder: drive_c/A/B.
fs::path HostOf(const fs::path& machine, const std::string& windowsPath) {
  std::string rest = windowsPath.substr(3);
  for (char& c : rest)
    if (c == '\\') c = '/';
  std::string drive = "drive_";
  drive += static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0])));
  return machine / drive / rest;
}

std::vector<std::uint8_t> DataOf(const layout::Value& v) {
  if (v.type == kRegDword) {
    auto n = static_cast<DWORD>(std::stoul(v.data));
    return {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
            static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
  }
  std::vector<std::uint8_t> data = platform::BytesFromString(v.data);
  if (v.type == kRegMultiSz) {
    for (auto& b : data)
      if (b == '|') b = 0;
    data.push_back(0);
  }
  return data;
}

// A folder that holds a machine, judged by what a machine always has.
bool LooksLikeMachine(const fs::path& folder) {
  return fs::exists(folder / "registry.db") || fs::exists(folder / "drive_c");
}

// Whether name is one of a machine's own entries: a drive folder drive_c
// (one letter) or registry.db with the journal files SQLite keeps beside it.
bool IsMachineEntry(const std::string& name) {
  if (name.size() == 7 && name.rfind("drive_", 0) == 0) return name[6] >= 'a' && name[6] <= 'z';
  return name == "registry.db" || name == "registry.db-wal" || name == "registry.db-shm" ||
         name == "registry.db-journal";
}

bool RemoveMachine(const fs::path& folder, std::string* error) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    std::string name = entry.path().filename().string();
    // Only what a machine consists of; anything else in the folder stays.
    if (IsMachineEntry(name)) {
      fs::remove_all(entry.path(), ec);
      if (ec) {
        *error = "cannot remove " + entry.path().string() + ": " + ec.message();
        return false;
      }
    }
  }
  return true;
}

}  // namespace

bool InitMachine(const std::string& folderText, const InitOptions& options, std::string* error) {
  std::string scratch;
  if (!error) error = &scratch;
  fs::path folder(folderText);
  std::error_code ec;
  if (fs::exists(folder, ec)) {
    if (!fs::is_directory(folder, ec)) {
      *error = folderText + " exists and is not a folder";
      return false;
    }
    if (LooksLikeMachine(folder)) {
      if (!options.overwrite) {
        *error = "a machine already exists in " + folderText + " (use --force to replace it)";
        return false;
      }
      if (!RemoveMachine(folder, error)) return false;
    } else if (!fs::is_empty(folder, ec)) {
      *error = folderText + " is not empty and holds no machine; choose an empty or new folder";
      return false;
    }
  }
  fs::create_directories(folder / "drive_c", ec);
  if (ec) {
    *error = "cannot create " + (folder / "drive_c").string() + ": " + ec.message();
    return false;
  }
  for (const char* f : layout::Folders()) {
    fs::create_directories(HostOf(folder, f), ec);
    if (ec) {
      *error = "cannot create " + HostOf(folder, f).string() + ": " + ec.message();
      return false;
    }
  }
  for (const layout::File& f : layout::Files()) {
    std::ofstream out(HostOf(folder, f.path), std::ios::binary | std::ios::trunc);
    out << f.content;
    if (!out) {
      *error = "cannot write " + HostOf(folder, f.path).string();
      return false;
    }
  }
  {
    std::ofstream icon(HostOf(folder, std::string(kProgramFolder) + "\\vanbrisk.ico"),
                       std::ios::binary | std::ios::trunc);
    icon << layout::IconBytes();
  }
  // The version history and the language files the program ships with,
  // beside it (none when the source tree that held them is gone).
  std::error_code listed;
  fs::copy_file(VANBRISK_HISTORY_FILE, HostOf(folder, kProgramFolder) / "History.txt",
                fs::copy_options::overwrite_existing, listed);
  listed.clear();
  for (const auto& entry : fs::directory_iterator(VANBRISK_LANG_FOLDER, listed)) {
    if (entry.path().extension() != ".lng") continue;
    fs::copy_file(entry.path(), HostOf(folder, kProgramFolder) / entry.path().filename(),
                  fs::copy_options::overwrite_existing, ec);
    if (ec) {
      *error = "cannot install " + entry.path().string() + ": " + ec.message();
      return false;
    }
  }
  Database db;
  if (!db.Open((folder / "registry.db").string(), true, error)) return false;
  EmulatedRegistry registry(db, false);
  Transaction tx(db);
  for (const layout::Value& v : layout::Values()) {
    if (platform::WriteValue(registry, v.root, v.key, v.name, v.type, DataOf(v)) != kErrorSuccess) {
      *error = std::string("cannot write the registry value ") + v.key + "\\" + v.name;
      return false;
    }
  }
  Statement limited(db.handle(), "INSERT OR REPLACE INTO machine(name, value) VALUES (?, ?)");
  if (!limited.Bind(1, std::string_view(kLimitedUserSetting))
           .Bind(2, std::string_view(options.limitedUser ? "1" : "0"))
           .Run()) {
    *error = "cannot write the machine's settings";
    return false;
  }
  tx.Commit();
  return true;
}

}  // namespace vb::emu
