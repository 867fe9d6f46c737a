// The folders, registry values and files of a new machine, as tables.
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace vb::emu::layout {

struct Value {
  win::HKEY root;
  const char* key;
  const char* name;
  win::DWORD type;  // kRegSz, kRegExpandSz, kRegMultiSz ("|" separates the strings) or kRegDword
  const char* data;
};

struct File {
  const char* path;  // Windows path
  const char* content;
};

// Folders below the drive roots, parents before children.
const std::vector<const char*>& Folders();
const std::vector<Value>& Values();
const std::vector<File>& Files();

// The program's icon, vanbrisk.ico: a 16 x 16 true-colour icon drawn here.
std::string IconBytes();

}  // namespace vb::emu::layout
