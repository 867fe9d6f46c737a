// The script language of vanbrisk-cli run: any script is carried out or
// refused line by line without a fault, against the script driver tests'
// program of toolkit windows (one control of each kind, and a second
// window), over an emulated machine made once in a temporary folder.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "cli/script_driver.h"
#include "fixtures/machine_init.h"
#include "platform/emulated/machine.h"
#include "support/script_toy.h"

namespace {

std::string g_folder;
std::unique_ptr<vb::emu::Machine> g_machine;

void RemoveMachine() {
  g_machine.reset();
  std::error_code ec;
  std::filesystem::remove_all(g_folder, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string folder = (std::filesystem::temp_directory_path() / "vanbrisk-fuzz-XXXXXX").string();
  if (!mkdtemp(folder.data())) std::abort();
  g_folder = folder;
  vb::fixtures::InitOptions options;
  options.overwrite = true;
  vb::Result<> made = vb::fixtures::InitMachine(g_folder, options);
  std::string error = made ? "" : made.message();
  if (!made || !(g_machine = vb::emu::Machine::Open(g_folder, &error))) {
    std::fprintf(stderr, "no emulated machine: %s\n", error.c_str());
    std::abort();
  }
  g_machine->Script().SetLog(nullptr);  // message boxes are not printed
  std::atexit(RemoveMachine);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vb::test::Toy toy(*g_machine);
  std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
  std::istringstream none;
  std::ostringstream out, err;
  int code = vb::cli::RunScript(toy, &g_machine->Script(), script, {none, out, err});
  // A refused script says which line and why.
  if (code != vb::cli::kExitOk && err.str().rfind("line ", 0) != 0) std::abort();
  // Answers left over from this script must not reach the next one.
  while (g_machine->Script().PendingAnswers() > 0)
    (void)g_machine->Script().MessageBoxA("", "", vb::win::kMbOk);
  return 0;
}
