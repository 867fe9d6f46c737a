// Community rule files: any text is read without a fault; every problem names
// the file and a line of it; every entry taken has a name of its own (in any
// letter case), a line inside the text, and targets that name a folder or a
// key (never a bare hive, never an empty folder or pattern, never a key
// Windows needs taken whole); no name, path or pattern holds a control
// character. Loaded on an emulated machine, no step an entry becomes names a
// key Windows needs whole, holds a control character, or reaches a folder
// the safety policy protects.
#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "catalogue/rule_catalogue.h"
#include "catalogue/rule_file.h"
#include "engine/steps.h"
#include "fixtures/machine_init.h"
#include "platform/ascii_case.h"
#include "platform/control_characters.h"
#include "platform/emulated/machine.h"
#include "registry/protected_keys.h"

namespace {

// One machine for every input, laid out once in the temporary folder and
// removed when the process ends.
struct FuzzMachine {
  FuzzMachine() {
    if (!mkdtemp(folder) || !vb::fixtures::InitMachine(folder, {.overwrite = true})) std::abort();
    std::string error;
    machine = vb::emu::Machine::Open(folder, &error);
    if (!machine) std::abort();
  }
  ~FuzzMachine() {
    machine.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  char folder[32] = "/tmp/vanbrisk-fuzz-XXXXXX";
  std::unique_ptr<vb::emu::Machine> machine;
};

void CheckSteps(std::string_view text) {
  using namespace vb;
  using vb::platform::HoldsControlCharacter;
  static FuzzMachine fuzz;
  catalogue::RulePlaces places(*fuzz.machine);
  auto rules = catalogue::RuleCatalogue::Load(places, text, "winapp2.ini");
  for (int list = 0; list < catalogue::kAppListCount; ++list)
    for (const catalogue::Entry& entry : rules->Entries(static_cast<catalogue::AppList>(list)))
      for (const engine::Step& step : entry.steps) {
        if (HoldsControlCharacter(step.key) || HoldsControlCharacter(step.value) ||
            HoldsControlCharacter(step.folder.name))
          std::abort();
        for (const std::string& p : step.patterns)
          if (HoldsControlCharacter(p)) std::abort();
        if (step.kind == engine::StepKind::kDeleteTree &&
            !registry::KeyTreeMayGo(step.root, step.key))
          std::abort();
        if (step.kind == engine::StepKind::kFiles)
          places.places().ForEach(step.folder, [&](const engine::OpenedFolder& folder) {
            if (places.policy().Protected(folder.handle, folder.driveRoot)) std::abort();
          });
      }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vb::catalogue;
  using vb::platform::HoldsControlCharacter;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  RuleFile parsed = ParseRules(text, "winapp2.ini");
  for (const auto& [line, problem] : parsed.problems) {
    std::string prefix = "winapp2.ini, line " + std::to_string(line) + ": ";
    if (problem.message.rfind(prefix, 0) != 0 || problem.message.size() == prefix.size())
      std::abort();
    if (line < 1 || line > lines) std::abort();
  }
  std::set<std::string> names;
  auto key = [](const RuleKey& k) {
    if (k.root == 0 || k.path.empty() || HoldsControlCharacter(k.path)) std::abort();
  };
  for (const RuleEntry& entry : parsed.entries) {
    if (entry.text.empty() || HoldsControlCharacter(entry.text) ||
        !names.insert(vb::platform::FoldAscii(entry.text)).second)
      std::abort();
    if (entry.line < 1 || entry.line > lines) std::abort();
    for (const RuleDetect& d : entry.detects) {
      if (d.file ? d.path.empty() || HoldsControlCharacter(d.path) : (key(d.key), false))
        std::abort();
    }
    for (const RuleFiles& f : entry.files) {
      if (f.folder.empty() || f.patterns.empty() || HoldsControlCharacter(f.folder)) std::abort();
      for (const std::string& p : f.patterns)
        if (p.empty() || HoldsControlCharacter(p)) std::abort();
      if (f.removeSelf && !f.recurse) std::abort();
      if (f.line < entry.line || f.line > lines) std::abort();
    }
    for (const RuleRegistry& r : entry.registry) {
      key(r.key);
      if (r.value ? HoldsControlCharacter(*r.value)
                  : !vb::registry::KeyTreeMayGo(r.key.root, r.key.path))
        std::abort();
    }
  }
  CheckSteps(text);
  return 0;
}
