#include "registry/reg_file_registry.h"

#include "platform/ascii_case.h"

#include "registry/reg_file_text.h"
#include "registry/root_names.h"

namespace vb::registry {

namespace {

using platform::RegistryApi;

// Names longer than this are no registry names; it bounds the buffer growth.
constexpr std::size_t kLongestName = 1 << 16;

// Whether subKey names a key below a root: not empty, and no empty component.
bool IsSubKeyPath(const std::string& subKey) {
  if (subKey.empty() || subKey.front() == '\\' || subKey.back() == '\\') return false;
  return subKey.find("\\\\") == std::string::npos;
}

std::string Child(const std::string& subKey, const std::string& name) {
  return subKey.empty() ? name : subKey + "\\" + name;
}

}  // namespace

std::string RegistryErrorText(win::LONG code) {
  switch (code) {
    case win::kErrorSuccess:
      return "The operation completed successfully.";
    case win::kErrorFileNotFound:
    case win::kErrorPathNotFound:
      return "The system was unable to find the specified registry key or value.";
    case win::kErrorAccessDenied:
      return "Access is denied.";
    case win::kErrorInvalidHandle:
      return "The handle is invalid.";
    case win::kErrorInvalidParameter:
      return "The parameter is incorrect.";
    case win::kErrorBadPathname:
      return "The path is not valid.";
    case win::kErrorKeyDeleted:
      return "The registry key has been deleted.";
    default:
      return "The registry reported error " + std::to_string(code) + ".";
  }
}

win::LONG QueryValueBytes(RegistryApi& registry, win::HKEY key, const std::string& valueName,
                          win::DWORD* type, std::string* data) {
  win::DWORD size = 0;
  win::LONG rc = registry.RegQueryValueExA(key, valueName.c_str(), type, nullptr, &size);
  // The value can change size between the two calls; ask again until it fits.
  for (int attempt = 0; rc == win::kErrorSuccess && attempt < 8; ++attempt) {
    data->assign(size, '\0');
    if (size == 0) return win::kErrorSuccess;
    win::DWORD got = size;
    rc = registry.RegQueryValueExA(key, valueName.c_str(), type,
                                   reinterpret_cast<win::BYTE*>(data->data()), &got);
    if (rc == win::kErrorSuccess) {
      data->resize(got);
      return rc;
    }
    if (rc == win::kErrorMoreData) {
      size = got > size ? got : size * 2;
      rc = win::kErrorSuccess;
    }
  }
  return rc == win::kErrorSuccess ? win::kErrorMoreData : rc;
}

win::LONG SubKeyNames(RegistryApi& registry, win::HKEY key, std::vector<std::string>* names) {
  platform::RegKeyInfo info;
  std::size_t size = 256;
  if (registry.RegQueryInfoKeyA(key, &info) == win::kErrorSuccess && info.maxSubKeyLen + 1 > size)
    size = info.maxSubKeyLen + 1;
  std::vector<char> buffer(size);
  win::DWORD index = 0;
  while (true) {
    win::LONG rc =
        registry.RegEnumKeyA(key, index, buffer.data(), static_cast<win::DWORD>(buffer.size()));
    if (rc == win::kErrorNoMoreItems) return win::kErrorSuccess;
    if (rc == win::kErrorMoreData && buffer.size() < kLongestName) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (rc != win::kErrorSuccess) return rc;
    names->emplace_back(buffer.data());
    ++index;
  }
}

win::LONG ValueNames(RegistryApi& registry, win::HKEY key, std::vector<std::string>* names) {
  platform::RegKeyInfo info;
  std::size_t size = 256;
  if (registry.RegQueryInfoKeyA(key, &info) == win::kErrorSuccess &&
      info.maxValueNameLen + 1 > size)
    size = info.maxValueNameLen + 1;
  std::vector<char> buffer(size);
  win::DWORD index = 0;
  while (true) {
    auto length = static_cast<win::DWORD>(buffer.size());
    win::LONG rc =
        registry.RegEnumValueA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr);
    if (rc == win::kErrorNoMoreItems) return win::kErrorSuccess;
    if (rc == win::kErrorMoreData && buffer.size() < kLongestName) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (rc != win::kErrorSuccess) return rc;
    names->emplace_back(buffer.data(), length);
    ++index;
  }
}

std::string StoredKeyCase(RegistryApi& registry, win::HKEY root, const std::string& subKey) {
  std::string stored;
  std::size_t start = 0;
  while (start < subKey.size()) {
    std::size_t end = subKey.find('\\', start);
    if (end == std::string::npos) end = subKey.size();
    std::string part = subKey.substr(start, end - start);
    std::vector<std::string> names;
    OpenedKey parent(registry);
    if (parent.Open(root, stored, win::kKeyRead) != win::kErrorSuccess ||
        SubKeyNames(registry, parent.get(), &names) != win::kErrorSuccess)
      return Child(stored, subKey.substr(start));
    const std::string* match = nullptr;
    for (const std::string& name : names) {
      if (name == part) {
        match = &name;
        break;
      }
      if (!match && platform::EqualsIgnoringCase(name, part)) match = &name;
    }
    if (!match) return Child(stored, subKey.substr(start));
    stored = Child(stored, *match);
    start = end + 1;
  }
  return stored;
}

win::LONG ReadKey(RegistryApi& registry, win::HKEY root, const std::string& subKey, RegFileKey* out,
                  std::vector<std::string>* subKeys) {
  out->root = root;
  out->subKey = subKey;
  out->values.clear();
  subKeys->clear();
  OpenedKey key(registry);
  std::vector<std::string> valueNames;
  win::LONG rc = key.Open(root, subKey, win::kKeyRead);
  if (rc == win::kErrorSuccess) rc = ValueNames(registry, key.get(), &valueNames);
  for (std::size_t i = 0; rc == win::kErrorSuccess && i < valueNames.size(); ++i) {
    RegFileValue value;
    value.name = valueNames[i];
    rc = QueryValueBytes(registry, key.get(), value.name, &value.type, &value.data);
    out->values.push_back(std::move(value));
  }
  if (rc == win::kErrorSuccess) rc = SubKeyNames(registry, key.get(), subKeys);
  return rc;
}

win::LONG ReadKeyTree(RegistryApi& registry, win::HKEY root, const std::string& subKey,
                      RegFile* out, std::string* failedPath) {
  RegFileKey entry;
  std::vector<std::string> children;
  win::LONG rc = ReadKey(registry, root, subKey, &entry, &children);
  if (rc != win::kErrorSuccess) {
    if (failedPath) *failedPath = JoinKeyPath(root, subKey);
    return rc;
  }
  out->keys.push_back(std::move(entry));
  for (const std::string& child : children) {
    rc = ReadKeyTree(registry, root, Child(subKey, child), out, failedPath);
    if (rc != win::kErrorSuccess) return rc;
  }
  return win::kErrorSuccess;
}

win::LONG DeleteKeyTree(RegistryApi& registry, win::HKEY root, const std::string& subKey,
                        std::string* failedPath) {
  // A cleaner must never delete a whole hive, and a path with an empty
  // component could be taken for one.
  if (RootLongName(root).empty() || !IsSubKeyPath(subKey)) return win::kErrorInvalidParameter;
  std::vector<std::string> children;
  {
    OpenedKey key(registry);
    win::LONG rc = key.Open(root, subKey, win::kKeyRead);
    if (rc == win::kErrorSuccess) rc = SubKeyNames(registry, key.get(), &children);
    if (rc != win::kErrorSuccess) {
      if (failedPath) *failedPath = JoinKeyPath(root, subKey);
      return rc;
    }
  }
  for (const std::string& child : children) {
    win::LONG rc = DeleteKeyTree(registry, root, Child(subKey, child), failedPath);
    if (rc != win::kErrorSuccess) return rc;
  }
  win::LONG rc = registry.RegDeleteKeyA(root, subKey.c_str());
  if (rc != win::kErrorSuccess && failedPath) *failedPath = JoinKeyPath(root, subKey);
  return rc;
}

bool ApplyRegFile(RegistryApi& registry, const RegFile& file, std::string* error) {
  auto fail = [&](int line, const std::string& what, win::LONG rc) {
    if (error) *error = "line " + std::to_string(line) + ": " + what + ": " + RegistryErrorText(rc);
    return false;
  };
  bool grouped = registry.BeginChanges();
  bool ok = true;
  for (const RegFileKey& key : file.keys) {
    std::string path = JoinKeyPath(key.root, key.subKey);
    if (key.remove) {
      std::string failed;
      win::LONG rc = DeleteKeyTree(registry, key.root, key.subKey, &failed);
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
        if (value.remove) {
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
  if (grouped) registry.EndChanges(ok);
  return ok;
}

bool ImportRegFile(RegistryApi& registry, std::string_view bytes, std::string* error) {
  std::optional<RegFile> file = ParseRegFile(bytes, error);
  return file && ApplyRegFile(registry, *file, error);
}

std::optional<std::string> ExportRegKey(RegistryApi& registry, win::HKEY root,
                                        const std::string& subKey, std::string* error) {
  RegFile file;
  std::string failed;
  win::LONG rc = ReadKeyTree(registry, root, StoredKeyCase(registry, root, subKey), &file, &failed);
  if (rc != win::kErrorSuccess) {
    if (error) *error = "cannot read " + failed + ": " + RegistryErrorText(rc);
    return std::nullopt;
  }
  return FormatRegFile(file, error);
}

}  // namespace vb::registry
