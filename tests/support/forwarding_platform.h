// A platform and a system that pass every call on to another, for tests that
// replace one service (a recording registry) or change what one call does
// (a program folder elsewhere, launches that fail) and leave the rest alone.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vb::test {

class ForwardingSystem : public platform::SystemApi {
 public:
  explicit ForwardingSystem(platform::SystemApi& inner) : inner_(inner) {}
  void GlobalMemoryStatus(platform::MemoryStatus* s) override { inner_.GlobalMemoryStatus(s); }
  win::DWORD timeGetTime() override { return inner_.timeGetTime(); }
  win::LONG Launch(const std::string& c, int w) override { return inner_.Launch(c, w); }
  std::string ProgramFolder() override { return inner_.ProgramFolder(); }
  std::string ProgramName() override { return inner_.ProgramName(); }
  std::string CommandLine() override { return inner_.CommandLine(); }
  bool UserIsAdministrator() override { return inner_.UserIsAdministrator(); }
  win::DWORD GetACP() override { return inner_.GetACP(); }

 private:
  platform::SystemApi& inner_;
};

class ForwardingPlatform : public platform::Platform {
 public:
  explicit ForwardingPlatform(platform::Platform& inner) : inner_(inner) {}
  platform::RegistryApi& Registry() override { return inner_.Registry(); }
  platform::FileSystemApi& Files() override { return inner_.Files(); }
  platform::EnvironmentApi& Environment() override { return inner_.Environment(); }
  platform::UrlCacheApi& UrlCache() override { return inner_.UrlCache(); }
  platform::ShellApi& Shell() override { return inner_.Shell(); }
  platform::UserInterfaceApi& Ui() override { return inner_.Ui(); }
  platform::SystemApi& System() override { return inner_.System(); }

 private:
  platform::Platform& inner_;
};

}  // namespace vb::test
