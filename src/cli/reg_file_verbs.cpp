// reg import and reg export: .reg files of the host.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "cli/reg_command.h"
#include "platform/opened_key.h"
#include "registry/reg_file_registry.h"
#include "registry/reg_file_text.h"

namespace vb::cli {

namespace {

// Whether reg export may write path, and why not: only a regular file
// (with /y) or a new file is written. A device, a FIFO, a socket or a folder
// is never replaced, nor a symbolic link, even one that leads nowhere.
// *replace tells whether a regular file is there to replace.
Result<> ExportTarget(const std::string& path, bool overwrite, bool* replace) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::file_status status = fs::symlink_status(path, ec);
  *replace = false;
  if (status.type() == fs::file_type::not_found) return {};
  if (ec) return Fail("cannot look at it: " + ec.message());
  switch (status.type()) {
    case fs::file_type::regular:
      if (!overwrite) return Fail("the file exists already; add /y to overwrite it");
      *replace = true;
      return {};
    case fs::file_type::directory: return Fail("it is a folder, not a file; nothing was written");
    case fs::file_type::symlink:
      return Fail(
          "it is a symbolic link; refusing to write through or over it; nothing was written");
    case fs::file_type::block:
    case fs::file_type::character:
      return Fail("it is a device; refusing to write it; nothing was written");
    case fs::file_type::fifo:
      return Fail("it is a FIFO; refusing to write it; nothing was written");
    default: return Fail("it is not a regular file; refusing to write it; nothing was written");
  }
}

// Writes the file beside its final name first, so that a failed write leaves
// no half file behind and an existing file stays whole until replaced. A new
// file is put in place only where no entry has appeared meanwhile; a
// replaced one is replaced whole, whatever took its place meanwhile stays
// untouched (rename replaces the entry, never writes into it).
Result<> WriteWhole(const std::string& path, const std::string& bytes, bool replace) {
  std::string temporary;
  std::FILE* f = nullptr;
  for (int n = 0; n < 100 && !f; ++n) {
    temporary = path + ".partial" + std::to_string(n);
    f = std::fopen(temporary.c_str(), "wbx");
    if (!f && errno != EEXIST) break;
  }
  if (!f) return Fail("cannot write " + path + ": " + std::strerror(errno));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok && replace) std::filesystem::rename(temporary, path, ec);
  if (ok && !replace) std::filesystem::create_hard_link(temporary, path, ec);
  if (!ok || ec) {
    Failure failure = Fail("cannot write " + path + (ec ? ": " + ec.message() : ""));
    std::filesystem::remove(temporary, ec);
    return failure;
  }
  if (!replace) std::filesystem::remove(temporary, ec);
  return {};
}

}  // namespace

int RegImport(RegCommand& command, const std::vector<std::string>& argv) {
  auto args = command.Parse(argv, {"FILE"}, {});
  if (!args) return command.Usage(args.message());
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
  Result<> imported = registry::ImportRegFile(command.Registry(), bytes.str(), command.CodePage());
  if (!imported) return command.FailAbout(file, imported.message() + "; nothing was changed");
  return command.Done();
}

int RegExport(RegCommand& command, const std::vector<std::string>& argv) {
  auto args = command.Parse(argv, {"KEY", "FILE"}, {{"y", false}});
  if (!args) return command.Usage(args.message());
  Result<registry::KeyPath> key = command.Key(args->positional[0]);
  if (!key) return command.Usage(key.message());
  const std::string& file = args->positional[1];
  // "-": the file's bytes go to standard output, and nothing else does.
  bool toOutput = file == "-";
  bool replace = false;
  if (Result<> writable = toOutput ? Result<>() : ExportTarget(file, args->Has("y"), &replace);
      !writable)
    return command.FailAbout(file, writable.message());
  {
    platform::OpenedKey probe(command.Registry());
    win::LONG rc = probe.Open(key->root, key->subKey, win::kKeyRead);
    if (rc != win::kErrorSuccess) return command.Fail(rc);
  }
  Result<std::string> bytes = registry::ExportRegKey(command.Registry(), key->root, key->subKey,
                                                     command.CodePage());
  if (!bytes) return command.Fail(bytes.message());
  if (toOutput) {
    std::ostream& out = command.Io().out;
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    out.flush();
    return out ? kExitOk : command.Fail("cannot write the standard output");
  }
  if (Result<> written = WriteWhole(file, *bytes, replace); !written)
    return command.Fail(written.message());
  return command.Done();
}

}  // namespace vb::cli
