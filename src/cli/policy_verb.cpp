#include "cli/policy_verb.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "cli/policy_templates.h"
#include "cli/verb_help.h"
#include "cli/window_peek.h"
#include "language/file_text.h"
#include "language/language_file.h"
#include "platform/system_api.h"

namespace vb::cli {

namespace {

namespace fs = std::filesystem;

// A language file's table in UTF-8, the templates' encoding; nothing when
// the file cannot be read or is no language file.
std::unique_ptr<language::LanguageTable> ReadTable(platform::Platform& platform,
                                                   const std::string& folder,
                                                   const std::string& file) {
  std::string bytes;
  if (folder.empty()) {
    std::string path = platform.System().ProgramFolder() + "\\" + file;
    if (platform.Files().ReadFileBytes(path, &bytes) != win::kErrorSuccess) return nullptr;
  } else {
    std::ifstream in(fs::path(folder) / file, std::ios::binary);
    if (!in) return nullptr;
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
  }
  auto table = std::make_unique<language::LanguageTable>();
  if (language::ReadLanguageText(language::FileText(std::move(bytes), platform::kCodePageUtf8),
                                 *table))
    return nullptr;
  return table;
}

}  // namespace

int RunPolicyVerb(app::Program& program, platform::ScriptedUi* ui,
                  const std::vector<std::string>& args, VerbIo io) {
  if (args.empty() || args[0] != "templates" || args.size() < 2 || args.size() > 3) {
    io.err << UsageLines("policy");
    return kExitUsage;
  }
  const fs::path out = args[1];
  const std::string languages = args.size() == 3 ? args[2] : "";
  std::vector<std::unique_ptr<language::LanguageTable>> tables;
  std::vector<TemplateLanguage> chosen;
  for (const ShippedLanguage& shipped : ShippedLanguages()) {
    tables.push_back(ReadTable(program.platform(), languages, shipped.file));
    if (!tables.back()) {
      io.err << "policy: the language file " << shipped.file
             << " could not be read; nothing was written\n";
      return kExitFailed;
    }
    chosen.push_back({shipped.culture, tables.back().get()});
  }
  return PeekAtMainWindow("policy", program, ui, io, [&](app::MainWindow& window) {
    for (const TemplateFile& file : PolicyTemplates(window, chosen)) {
      fs::path path = out / fs::path(file.path);
      std::error_code made;
      fs::create_directories(path.parent_path(), made);
      std::ofstream written(path, std::ios::binary | std::ios::trunc);
      written << file.text;
      written.close();
      if (made || !written) {
        io.err << "policy: " << path.string() << " could not be written\n";
        return kExitFailed;
      }
    }
    return kExitOk;
  });
}

}  // namespace vb::cli
