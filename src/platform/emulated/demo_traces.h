// The traces a demonstration machine holds for every built-in item: temporary
// files of several sizes and attributes, nested folders, Internet Explorer's
// cache entries with their files, cookies, history, MRU lists, memory dumps,
// log files and a full Recycle Bin.
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace vb::emu {

class Machine;

namespace demo {

struct File {
  const char* path;  // Windows path
  int size;          // bytes, filled with a repeating text
  win::DWORD attributes = 0;  // read-only, hidden, system
  const char* content = nullptr;  // the file's text instead, when given
};

struct Value {
  win::HKEY root;
  const char* key;
  const char* name;
  const char* data;  // REG_SZ
};

struct CacheEntry {
  const char* url;
  const char* localFile;  // empty for none
  win::DWORD type;
};

const std::vector<File>& Files();
const std::vector<Value>& Values();
const std::vector<CacheEntry>& CacheEntries();

}  // namespace demo

// Adds the traces to an open machine, through its own platform operations.
[[nodiscard]] bool AddDemoTraces(Machine& machine, std::string* error);

}  // namespace vb::emu
