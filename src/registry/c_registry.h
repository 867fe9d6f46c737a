// cRegistry: a root, a key path and a value name, with existence tests,
// enumeration of values and subkeys, typed reads and deletions. Setting a
// property never touches the registry; each operation opens and closes the
// key it needs. A key path or value name holding a NUL names nothing: it
// reads as missing, and creating or deleting it fails, touching nothing.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "base/result.h"
#include "platform/platform.h"

namespace vb::registry {

// What a read gives: nothing (empty), a string, a 32-bit number or raw bytes.
using RegVariant = std::variant<std::monostate, std::string, std::int32_t, std::vector<std::uint8_t>>;

class cRegistry {
 public:
  explicit cRegistry(platform::Platform& platform) : platform_(platform) {}

  // A machine name for remote access; the program never sets one.
  const std::string& Machine() const { return machine_; }
  void SetMachine(const std::string& name);

  bool KeyExists();
  // A failure's message is the description the program gives it ("Failed to
  // create registry Key: '..."), its code that of the registry call that
  // failed (kErrorInvalidParameter for a name holding a NUL).
  [[nodiscard]] Result<> CreateKey();
  bool DeleteKey();
  Result<> DeleteValue();
  // What the program reports beside the description of such a failure: the
  // error number and the source, "<program>.cRegistry".
  static constexpr long kErrorNumber = 26001;
  std::string ErrorSource() const;
  // The value named by ValueKey; Default when the key or value is missing.
  [[nodiscard]] RegVariant Value();
  // The value names (or subkey names) in the registry's order. The program's
  // lists are 1-based: its entry i is names[i - 1]. Both always report true.
  bool EnumerateValues(std::vector<std::string>* names, long* count);
  bool EnumerateSections(std::vector<std::string>* names, long* count);

  std::int32_t ClassKey() const { return classKey_; }
  void SetClassKey(std::int32_t root) { classKey_ = root; }
  void SetClassKey(win::HKEY root) { classKey_ = static_cast<std::int32_t>(root); }
  const std::string& SectionKey() const { return sectionKey_; }
  void SetSectionKey(std::string path) { sectionKey_ = std::move(path); }
  const std::string& ValueKey() const { return valueKey_; }
  void SetValueKey(std::string name) { valueKey_ = std::move(name); }
  const RegVariant& Default() const { return default_; }
  void SetDefault(RegVariant value) { default_ = std::move(value); }
  std::int32_t ValueType() const { return valueType_; }
  void SetValueType(std::int32_t type) { valueType_ = type; }

 private:
  win::HKEY Root() const { return static_cast<win::HKEY>(classKey_); }
  std::string ExpandEnvStr(const std::string& text);

  platform::Platform& platform_;
  std::string machine_;
  std::int32_t classKey_ = 0;
  std::string sectionKey_;
  std::string valueKey_;
  RegVariant default_;
  std::int32_t valueType_ = 0;
};

}  // namespace vb::registry
