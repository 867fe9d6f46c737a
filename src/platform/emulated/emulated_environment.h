// The environment of the emulated machine, built once as Windows builds it at
// logon: the system Environment key, then the user's, then the user's volatile
// one, later values replacing earlier ones; REG_EXPAND_SZ values are expanded
// against the whole set.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/environment_api.h"
#include "platform/registry_api.h"

namespace vb::emu {

class EmulatedEnvironment final : public platform::EnvironmentApi {
 public:
  // process: variables that the system sets for each process where the
  // registry does not hold them (a Wine prefix's), taken after the registry's
  // and expanded as they are.
  explicit EmulatedEnvironment(
      platform::RegistryApi& registry,
      const std::vector<std::pair<std::string, std::string>>& process = {});

  std::string GetEnvironmentVariableA(const std::string& name) override;
  win::DWORD ExpandEnvironmentStringsA(const char* source, char* destination,
                                       win::DWORD size) override;
  std::string GetTempPathA() override;
  std::string GetDecimalSeparator() override;

  // The expansion on its own, for the realisations that share it.
  std::string Expand(const std::string& text) const;

 private:
  const std::string* Find(const std::string& name) const;

  platform::RegistryApi& registry_;
  std::vector<std::pair<std::string, std::string>> variables_;
};

}  // namespace vb::emu
