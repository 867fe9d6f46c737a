// The registry of the recording platform. Passing through, each call is the
// call of the registry below. Recording, keys are opened below with the
// access asked for (so a right the user lacks is refused as it would be),
// nothing is written, and each change is recorded by root and key path
// without regard to case; reads see it made.
//
// Handles are those of the registry below, but for keys the record made,
// whose handles are this layer's own: negative, between -2^16 and -2^31
// (the predefined roots lie just above -2^31, and handles of a registry
// below are positive). A key opened before the recording began is known by
// no path: reads through it see the registry below, and changes through it
// are told but not seen by later reads.
//
// Changes between BeginChanges and EndChanges are one unit here too: undone
// from the record, and never told, when the unit is not kept.
//
// For one thread at a time, as the platforms' callers are.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/recorded_change.h"
#include "platform/registry_api.h"

namespace vb::platform {

class RecordingRegistry final : public RegistryApi {
 public:
  RecordingRegistry(RegistryApi& below, const RecordingSession& session);
  ~RecordingRegistry() override;
  RecordingRegistry(const RecordingRegistry&) = delete;
  RecordingRegistry& operator=(const RecordingRegistry&) = delete;

  // Forgets the record and the keys it made, and closes what it opened below
  // for its own reads.
  void Forget();

  [[nodiscard]] LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) override;
  [[nodiscard]] LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD access,
                                   HKEY* result) override;
  [[nodiscard]] LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) override;
  [[nodiscard]] LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved,
                                     const char* keyClass, DWORD options, DWORD access,
                                     HKEY* result, DWORD* disposition) override;
  [[nodiscard]] LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data,
                                      DWORD* size) override;
  [[nodiscard]] LONG RegSetValueExA(HKEY key, const char* valueName, DWORD type, const BYTE* data,
                                    DWORD size) override;
  LONG RegDeleteValueA(HKEY key, const char* valueName) override;
  LONG RegDeleteKeyA(HKEY key, const char* subKey) override;
  [[nodiscard]] LONG RegEnumKeyA(HKEY key, DWORD index, char* name, DWORD nameSize) override;
  [[nodiscard]] LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* type,
                                   BYTE* data, DWORD* dataSize) override;
  [[nodiscard]] LONG RegQueryInfoKeyA(HKEY key, RegKeyInfo* info) override;
  LONG RegCloseKey(HKEY key) override;
  [[nodiscard]] LONG BeginChanges() override;
  LONG EndChanges(bool keep) override;

 private:
  struct Value {
    bool deleted = false;
    // Set again after it was deleted: it comes last, as a new value does.
    bool anew = false;
    std::string name;
    DWORD type = 0;
    std::string data;
    std::uint64_t order = 0;  // values not below come in the order they were set
  };
  struct Key {
    // kBelow: the key is as below, but for the values recorded.
    enum class State { kBelow, kGone, kMade };
    State state = State::kBelow;
    std::string name;                     // kMade: the last component as spelt
    std::uint64_t serial = 0;             // kMade: which making of it
    std::map<std::string, Value> values;  // by folded name
  };
  struct Row {
    std::string name;
    DWORD type = 0;
    std::string data;
  };
  // An open key as the recording sees it.
  struct View {
    HKEY root = 0;     // 0: opened before the recording, known by no path
    std::string path;  // below the root, as spelt, without "\" at either end
    DWORD access = 0;
    std::uint64_t serial = 0;  // the making of a key the record made; 0 for a key below
    HKEY below = 0;            // its handle below; 0 for a key the record made
    HKEY reader = 0;           // opened below to read, for the record's own reads
    // Its subkeys and values seen through the record, as of the record's
    // generation given.
    std::uint64_t subkeysGeneration = 0;
    std::vector<std::string> subkeys;
    std::uint64_t valuesGeneration = 0;
    std::vector<Row> values;
  };
  struct Unit {
    std::map<std::string, Key> keys;
    std::vector<RecordedChange> told;
  };

  bool Recording() const { return session_.recording; }
  // The view of a handle, or null for a handle of nobody.
  View* ViewOf(HKEY key);
  View* Keep(HKEY handle, View view);
  // kErrorKeyDeleted when the key of an open handle is no longer there.
  [[nodiscard]] LONG Alive(const View& view);
  // kErrorSuccess when the handle may do what `right` allows.
  [[nodiscard]] LONG Allowed(const View& view, DWORD right);
  // A key by root and path: gone or made by the record, or as below.
  Key::State StateOf(HKEY root, const std::string& path, std::uint64_t* serial = nullptr);
  bool Exists(HKEY root, const std::string& path);
  bool HasSubkeys(HKEY root, const std::string& path);
  // The key's subkeys and values seen through the record.
  const std::vector<std::string>& Subkeys(View& view);
  const std::vector<Row>& Values(View& view);
  // Whether the record changed the subkeys, or the values, of the key.
  bool SubkeysTouched(const View& view);
  bool ValuesTouched(const View& view);
  [[nodiscard]] LONG Reader(View& view, HKEY* reader);
  Value* FindValue(const View& view, const char* valueName);
  void Tell(ChangeKind kind, const View& view, const std::string& path, const std::string& name,
            DWORD number = 0);

  RegistryApi& below_;
  const RecordingSession& session_;
  std::map<std::string, Key> keys_;  // by root name and folded path
  std::map<HKEY, View> views_;
  HKEY nextMade_ = -0x10000;
  std::uint64_t generation_ = 1;
  std::uint64_t nextSerial_ = 1;
  std::uint64_t nextOrder_ = 1;
  std::optional<Unit> unit_;
};

}  // namespace vb::platform
