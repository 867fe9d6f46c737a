#include "support/wine_prefix.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/registry_values.h"

namespace vb::test {

TempWinePrefix::TempWinePrefix() {
  std::string templ = (std::filesystem::temp_directory_path() / "vanbrisk-wine-XXXXXX").string();
  if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
  folder_ = templ;
  for (const char* name : {"system.reg", "user.reg", "userdef.reg"})
    std::filesystem::copy_file(std::string(VANBRISK_TEST_DATA) + "/wine-prefix/" + name,
                               folder_ + "/" + name);
}

TempWinePrefix::~TempWinePrefix() {
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

std::unique_ptr<wine::WineRegistry> TempWinePrefix::Open() const {
  auto opened = wine::WineRegistry::Open(folder_, {[] { return kChangeTicks; }});
  if (!opened) throw std::runtime_error("WineRegistry::Open: " + opened.message());
  return std::move(*opened);
}

std::string DumpKey(platform::RegistryApi& registry, win::HKEY root, const std::string& path) {
  std::string out = "[" + path + "]\n";
  for (const platform::RegValue& v : platform::ReadAllValues(registry, root, path))
    out += v.name + "=" + std::to_string(v.type) + ":" +
           std::string(v.data.begin(), v.data.end()) + "\n";
  for (const std::string& name : platform::ReadSubKeyNames(registry, root, path))
    out += DumpKey(registry, root, path.empty() ? name : path + "\\" + name);
  return out;
}

}  // namespace vb::test
