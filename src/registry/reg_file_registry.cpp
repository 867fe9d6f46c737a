#include "registry/reg_file_registry.h"

#include "platform/opened_key.h"
#include "platform/registry_name.h"
#include "registry/change_unit.h"
#include "registry/error_text.h"
#include "registry/key_reading.h"
#include "registry/key_tree.h"
#include "registry/root_names.h"

namespace vb::registry {

using platform::OpenedKey;
using platform::RegistryApi;

Result<> ApplyRegFile(RegistryApi& registry, const RegFile& file) {
  std::optional<Failure> failure;
  auto fail = [&](int line, const std::string& what, win::LONG rc) {
    failure = Fail("line " + std::to_string(line) + ": " + what + ": " + RegistryErrorText(rc), rc);
    return false;
  };
  ChangeUnit unit(registry);
  if (win::LONG busy = unit.Status()) return Fail(RegistryErrorText(busy), busy);
  bool ok = true;
  for (const RegFileKey& key : file.keys) {
    std::string path = JoinKeyPath(key.root, key.subKey);
    if (key.remove) {
      std::string failed;
      win::LONG rc = DeleteTree(registry, key.root, key.subKey, &failed);
      if (rc == win::kErrorInvalidParameter)
        ok = fail(key.line, "refusing to delete " + path, rc);
      else if (rc != win::kErrorSuccess && rc != win::kErrorFileNotFound)
        ok = fail(key.line, "cannot delete " + failed, rc);
    } else {
      OpenedKey opened(registry);
      win::LONG rc = opened.Create(key.root, key.subKey, win::kKeyWrite | win::kKeyQueryValue);
      if (rc != win::kErrorSuccess) ok = fail(key.line, "cannot create " + path, rc);
      for (std::size_t i = 0; ok && i < key.values.size(); ++i) {
        const RegFileValue& value = key.values[i];
        if (platform::HoldsNul(value.name)) {
          rc = win::kErrorInvalidParameter;
        } else if (value.remove) {
          rc = registry.RegDeleteValueA(opened.get(), value.name.c_str());
          if (rc == win::kErrorFileNotFound) rc = win::kErrorSuccess;
        } else {
          rc = registry.RegSetValueExA(opened.get(), value.name.c_str(), value.type,
                                       reinterpret_cast<const win::BYTE*>(value.data.data()),
                                       static_cast<win::DWORD>(value.data.size()));
        }
        if (rc != win::kErrorSuccess)
          ok = fail(value.line ? value.line : key.line,
                    "cannot write the value " +
                        (value.name.empty() ? std::string("@") : "\"" + value.name + "\"") +
                        " of " + path,
                    rc);
      }
    }
    if (!ok) break;
  }
  if (!ok) return *failure;
  if (win::LONG kept = unit.Keep()) return Fail(RegistryErrorText(kept), kept);
  return {};
}

Result<> ImportRegFile(RegistryApi& registry, std::string_view bytes, win::DWORD codePage) {
  Result<RegFile> file = ParseRegFile(bytes, codePage);
  if (!file) return file.failure();
  return ApplyRegFile(registry, *file);
}

Result<std::string> ExportRegKey(RegistryApi& registry, win::HKEY root, const std::string& subKey,
                                 win::DWORD codePage) {
  RegFile file;
  std::string failed;
  win::LONG rc = ReadKeyTree(registry, root, StoredKeyCase(registry, root, subKey), &file, &failed);
  if (rc != win::kErrorSuccess)
    return Fail("cannot read " + failed + ": " + RegistryErrorText(rc), rc);
  return FormatRegFile(file, codePage);
}

}  // namespace vb::registry
