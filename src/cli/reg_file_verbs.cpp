// reg import and reg export: .reg files of the host.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/reg_command.h"
#include "platform/opened_key.h"
#include "registry/reg_file_registry.h"
#include "registry/reg_file_text.h"

namespace vb::cli {

namespace {

// Writes the file beside its final name first, so that a failed write leaves
// no half file behind and an existing file stays whole until replaced.
bool WriteWhole(const std::string& path, const std::string& bytes, std::string* error) {
  std::string temporary;
  std::FILE* f = nullptr;
  for (int n = 0; n < 100 && !f; ++n) {
    temporary = path + ".partial" + std::to_string(n);
    f = std::fopen(temporary.c_str(), "wbx");
    if (!f && errno != EEXIST) break;
  }
  if (!f) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok) std::filesystem::rename(temporary, path, ec);
  if (!ok || ec) {
    *error = "cannot write " + path + (ec ? ": " + ec.message() : "");
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

}  // namespace

int RegImport(RegCommand& command, const std::vector<std::string>& argv) {
  int code = kExitUsage;
  auto args = command.Parse(argv, {"FILE"}, {}, &code);
  if (!args) return code;
  const std::string& file = args->positional[0];
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec))
    return command.Fail(
        "cannot read " + file + ": " +
        (std::filesystem::exists(file, ec) ? "not a regular file" : "no such file"));
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) return command.Fail("cannot read " + file);
  std::string error;
  if (!registry::ImportRegFile(command.Registry(), bytes.str(), &error))
    return command.Fail(file + ": " + registry::Cp1252ToUtf8(error) + "; nothing was changed");
  return command.Done();
}

int RegExport(RegCommand& command, const std::vector<std::string>& argv) {
  int code = kExitUsage;
  auto args = command.Parse(argv, {"KEY", "FILE"}, {{"y", false}}, &code);
  if (!args) return code;
  std::optional<registry::KeyPath> key = command.Key(args->positional[0], &code);
  if (!key) return code;
  const std::string& file = args->positional[1];
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) return command.Fail(file + " is a folder");
  if (std::filesystem::exists(file, ec) && !args->Has("y"))
    return command.Fail("the file " + file + " exists already; add /y to overwrite it");
  {
    platform::OpenedKey probe(command.Registry());
    win::LONG rc = probe.Open(key->root, key->subKey, win::kKeyRead);
    if (rc != win::kErrorSuccess) return command.Fail(rc);
  }
  std::string error;
  std::optional<std::string> bytes =
      registry::ExportRegKey(command.Registry(), key->root, key->subKey, &error);
  if (!bytes) return command.Fail(registry::Cp1252ToUtf8(error));
  if (!WriteWhole(file, *bytes, &error)) return command.Fail(error);
  return command.Done();
}

}  // namespace vb::cli
