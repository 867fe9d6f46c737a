// Wine's registry text files (system.reg, user.reg, userdef.reg), read and
// written as Wine's server reads and writes them (load_keys and
// save_all_subkeys in its server/registry.c):
//
//   WINE REGISTRY Version 2
//   ;; All keys relative to REGISTRY\\Machine
//
//   #arch=win64
//
//   [Software\\Foo] 1701234567
//   #time=1da2b3c4d5e6f70
//   @="default"
//   "Name"="text"              REG_SZ (written with no type; "str:" read too)
//   "Path"=str(2):"%x%"        REG_EXPAND_SZ
//   "List"=str(7):"a\0b\0"     REG_MULTI_SZ
//   "Count"=dword:0000002a
//   "Blob"=hex:00,01,...,\     REG_BINARY, lines continued with "\"
//     ff
//   "Other"=hex(b):...         any other type, and a string that is not
//                              whole UTF-16 text ending in a NUL
//
// A key with no values is written only when it has no subkeys (or a class,
// or is a link); the rest are there as the parents of the keys written.
// Reading is as lenient as Wine's: a value Wine cannot read is there with
// type REG_NONE and no data, a line it does not know is kept. The file is
// refused only where Wine refuses it: a first line that is not the header,
// or an "#arch=" it does not know.
#pragma once

#include <cstdint>
#include <string>

#include "base/result.h"
#include "platform/wine/wine_hive.h"

namespace vb::wine {

inline constexpr char kWineRegistryHeader[] = "WINE REGISTRY Version 2";

[[nodiscard]] Result<WineHive> ReadWineHive(std::string text);

// The file's text. Keys that did not change are written as they were read;
// the others as Wine writes them, in Wine's order of keys.
[[nodiscard]] std::string WriteWineHive(const WineHive& hive);

// 100 ns ticks from 1601 to 1970, as Wine's key lines count seconds from 1970.
inline constexpr std::uint64_t kTicks1601To1970 = 116444736000000000ull;

}  // namespace vb::wine
