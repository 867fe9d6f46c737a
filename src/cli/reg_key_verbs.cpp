// reg add and reg delete: writing and deleting keys and values.
#include "cli/reg_command.h"
#include "platform/opened_key.h"
#include "registry/change_unit.h"
#include "registry/error_text.h"
#include "registry/key_reading.h"
#include "registry/key_tree.h"
#include "registry/reg_file_text.h"
#include "registry/value_text.h"

namespace vb::cli {

using platform::OpenedKey;
using platform::RegistryApi;
using registry::ChangeUnit;
using registry::KeyPath;
using win::DWORD;
using win::LONG;

int RegAdd(RegCommand& command, const std::vector<std::string>& argv) {
  auto args = command.Parse(
      argv, {"KEY"},
      {{"v", true}, {"ve", false}, {"t", true}, {"s", true}, {"d", true}, {"f", false}});
  if (!args) return command.Usage(args.message());
  Result<KeyPath> key = command.Key(args->positional[0]);
  if (!key) return command.Usage(key.message());
  Result<std::optional<std::string>> named = command.ValueName(*args);
  if (!named) return command.Usage(named.message());
  const std::optional<std::string>& valueName = *named;

  DWORD type = win::kRegSz;
  if (std::optional<std::string> typeName = args->Value("t")) {
    std::optional<DWORD> known = registry::ParseTypeName(*typeName);
    if (!known)
      return command.Usage("unknown type \"" + *typeName +
                           "\"; use REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, "
                           "REG_DWORD_BIG_ENDIAN, REG_BINARY or REG_NONE");
    type = *known;
  }
  if (!valueName && (args->Has("t") || args->Has("d") || args->Has("s")))
    return command.Usage("/t, /s and /d describe a value: name it with /v NAME, or /ve");
  std::string separator = "\\0";
  if (std::optional<std::string> s = args->Value("s")) {
    if (type != win::kRegMultiSz) return command.Usage("/s is only for REG_MULTI_SZ data");
    Result<std::string> ansi = command.Ansi(*s, "the separator");
    if (!ansi) return command.Usage(ansi.message());
    if (ansi->size() != 1) return command.Usage("the separator must be one character");
    separator = *ansi;
  }
  std::optional<std::string> data;
  if (std::optional<std::string> d = args->Value("d")) {
    Result<std::string> ansi = command.Ansi(*d, "the data");
    if (!ansi) return command.Usage(ansi.message());
    data = std::move(*ansi);
  }
  std::optional<std::string> bytes;
  if (valueName) {
    if (!registry::IsWritableFromText(type))
      return command.Usage("reg add cannot write " + registry::TypeText(type) + " values");
    Result<std::string> made = registry::DataFromText(type, data, separator);
    if (!made) return command.Usage(made.message());
    bytes = std::move(*made);
  }

  RegistryApi& registry = command.Registry();
  ChangeUnit unit(registry);
  if (LONG busy = unit.Status()) return command.Fail(busy);
  OpenedKey opened(registry);
  LONG rc = opened.Create(key->root, key->subKey, win::kKeyWrite | win::kKeyQueryValue);
  if (rc != win::kErrorSuccess) return command.Fail(rc);
  if (valueName) {
    DWORD existingType = 0;
    DWORD size = 0;
    rc = registry.RegQueryValueExA(opened.get(), valueName->c_str(), &existingType, nullptr, &size);
    if (rc == win::kErrorSuccess && !args->Has("f"))
      return command.Fail(
          "the value " +
          (valueName->empty() ? std::string("(Default)") : "\"" + *valueName + "\"") +
          " of " + DisplayPath(*key) + " exists already; add /f to overwrite it");
    if (rc != win::kErrorSuccess && rc != win::kErrorFileNotFound) return command.Fail(rc);
    rc = registry.RegSetValueExA(opened.get(), valueName->c_str(), type,
                                 reinterpret_cast<const win::BYTE*>(bytes->data()),
                                 static_cast<DWORD>(bytes->size()));
    if (rc != win::kErrorSuccess) return command.Fail(rc);
  }
  if (LONG kept = unit.Keep()) return command.Fail(kept);
  return command.Done();
}

int RegDelete(RegCommand& command, const std::vector<std::string>& argv) {
  auto args = command.Parse(argv, {"KEY"},
                            {{"v", true}, {"ve", false}, {"va", false}, {"f", false}});
  if (!args) return command.Usage(args.message());
  Result<KeyPath> key = command.Key(args->positional[0]);
  if (!key) return command.Usage(key.message());
  int chosen = args->Has("v") + args->Has("ve") + args->Has("va");
  if (chosen > 1) return command.Usage("use only one of /v, /ve and /va");
  Result<std::optional<std::string>> named = command.ValueName(*args);
  if (!named) return command.Usage(named.message());
  const std::optional<std::string>& valueName = *named;
  bool force = args->Has("f");
  RegistryApi& registry = command.Registry();
  std::string path = DisplayPath(*key);

  if (chosen == 0) {
    if (key->subKey.empty()) return command.Fail("refusing to delete the whole hive " + path);
    {
      OpenedKey probe(registry);
      LONG rc = probe.Open(key->root, key->subKey, win::kKeyRead);
      if (rc != win::kErrorSuccess) return command.Fail(rc);
    }
    if (!force && !command.Confirm("Permanently delete the registry key " + path))
      return command.Canceled();
    ChangeUnit unit(registry);
    if (LONG busy = unit.Status()) return command.Fail(busy);
    std::string failed;
    LONG rc = registry::DeleteTree(registry, key->root, key->subKey, &failed);
    if (rc != win::kErrorSuccess)
      return command.Fail(registry::RegistryErrorText(rc) + " The key " + failed +
                          " could not be deleted");
    if (LONG kept = unit.Keep()) return command.Fail(kept);
    return command.Done();
  }

  OpenedKey opened(registry);
  LONG rc = opened.Open(key->root, key->subKey, win::kKeyQueryValue | win::kKeySetValue);
  if (rc != win::kErrorSuccess) return command.Fail(rc);
  if (valueName) {
    DWORD size = 0;
    rc = registry.RegQueryValueExA(opened.get(), valueName->c_str(), nullptr, nullptr, &size);
    if (rc != win::kErrorSuccess) return command.Fail(rc);
    std::string shown = valueName->empty() ? "(Default)" : *valueName;
    if (!force && !command.Confirm("Delete the registry value " + shown)) return command.Canceled();
    rc = registry.RegDeleteValueA(opened.get(), valueName->c_str());
    return rc == win::kErrorSuccess ? command.Done() : command.Fail(rc);
  }
  std::vector<std::string> names;
  rc = registry::ValueNames(registry, opened.get(), &names);
  if (rc != win::kErrorSuccess) return command.Fail(rc);
  if (!force && !command.Confirm("Delete all values under the registry key " + path))
    return command.Canceled();
  ChangeUnit unit(registry);
  if (LONG busy = unit.Status()) return command.Fail(busy);
  for (const std::string& name : names) {
    rc = registry.RegDeleteValueA(opened.get(), name.c_str());
    if (rc != win::kErrorSuccess) return command.Fail(rc);
  }
  if (LONG kept = unit.Keep()) return command.Fail(kept);
  return command.Done();
}

}  // namespace vb::cli
