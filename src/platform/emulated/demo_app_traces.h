// The traces of catalogue applications on a demonstration machine: files and
// registry values of applications in all five lists, some of them checked
// in the program's stored application marks.
#pragma once

#include <vector>

#include "platform/emulated/demo_traces.h"

namespace vb::emu::demo {

const std::vector<File>& AppFiles();
const std::vector<Value>& AppValues();

}  // namespace vb::emu::demo
