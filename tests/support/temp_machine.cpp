#include "support/temp_machine.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fixtures/demo_traces.h"
#include "registry/settings_store.h"

namespace vb::test {

TempMachine::TempMachine(const fixtures::InitOptions& options) {
  std::string templ = (std::filesystem::temp_directory_path() / "vanbrisk-test-XXXXXX").string();
  char* made = mkdtemp(templ.data());
  if (!made) throw std::runtime_error("mkdtemp failed");
  folder_ = made;
  fixtures::InitOptions o = options;
  o.overwrite = true;
  if (Result<> made = fixtures::InitMachine(folder_, o); !made)
    throw std::runtime_error("InitMachine: " + made.message());
  std::string error;
  machine_ = emu::Machine::Open(folder_, &error);
  if (!machine_) throw std::runtime_error("Machine::Open: " + error);
}

TempMachine::~TempMachine() {
  machine_.reset();
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

void TempMachine::Reopen() {
  machine_.reset();
  std::string error;
  machine_ = emu::Machine::Open(folder_, &error);
  if (!machine_) throw std::runtime_error("Machine::Open: " + error);
}

void WriteHostFile(const std::string& path, const std::string& content) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << content;
}

std::string ReadHostFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void PassCleanerWarning(TempMachine& m) {
  namespace settings = registry::settings;
  settings::SaveSetting(m.platform().Registry(), settings::kAppName, settings::kSettings,
                        "Cleaner Warning", "1");
}

void AddDemoTracesAndPassWarning(TempMachine& m) {
  if (Result<> added = fixtures::AddDemoTraces(m.machine()); !added)
    throw std::runtime_error("AddDemoTraces: " + added.message());
  PassCleanerWarning(m);
}

}  // namespace vb::test
