// A fresh emulated machine in a temporary folder, removed afterwards.
#pragma once

#include <memory>
#include <string>

#include "fixtures/machine_init.h"
#include "platform/emulated/machine.h"

namespace vb::test {

class TempMachine {
 public:
  explicit TempMachine(const fixtures::InitOptions& options = {});
  ~TempMachine();

  emu::Machine& machine() { return *machine_; }
  platform::Platform& platform() { return *machine_; }
  const std::string& folder() const { return folder_; }
  // The host path of a path below the machine folder, such as "drive_c/Temp/a.txt".
  std::string Host(const std::string& relative) const { return folder_ + "/" + relative; }
  // Closes the machine, as a process ends; Reopen opens it again, as a new
  // process would (closing it first when it is open).
  void Close() { machine_.reset(); }
  void Reopen();

 private:
  std::string folder_;
  std::unique_ptr<emu::Machine> machine_;
};

// Answers the first-clean warning for good, so that Run Cleaner cleans at once.
void PassCleanerWarning(TempMachine& m);
// Adds the demonstration traces, and passes the first-clean warning.
void AddDemoTracesAndPassWarning(TempMachine& m);

// Writes a host file with the given bytes, creating its folders.
void WriteHostFile(const std::string& path, const std::string& content);
std::string ReadHostFile(const std::string& path);

}  // namespace vb::test
