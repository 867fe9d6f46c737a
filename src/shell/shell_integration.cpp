#include "shell/shell_integration.h"

#include "platform/opened_key.h"
#include "registry/reg32.h"
#include "registry/settings_store.h"

namespace vb::shell {

using namespace vb::win;
namespace settings = registry::settings;
namespace Reg32 = registry::Reg32;

namespace {

// A REG_SZ value: the text and its terminating NUL.
void SetText(platform::RegistryApi& registry, HKEY key, const char* name, const std::string& text) {
  (void)registry.RegSetValueExA(key, name, kRegSz, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1));
}

std::string VerbKey(const char* verb) { return std::string(kRecycleBinShell) + "\\" + verb; }

// Writes the verb's command: its key created, a value literally named
// "(Default)" removed, then the key's default value set.
void WriteVerb(ShellContext& context, const char* verb, bool quiet) {
  auto& registry = context.platform.Registry();
  std::string command = VerbKey(verb) + "\\command";
  Reg32::CreateKey(registry, kHkeyClassesRoot, command);
  Reg32::DeleteValue(registry, kHkeyClassesRoot, command, "(Default)");
  platform::OpenedKey key(registry);
  if (key.Open(kHkeyClassesRoot, command, kKeyWrite) != kErrorSuccess) return;
  SetText(registry, key.get(), "",
          StartCommand(ProgramPath(context.platform.System()), quiet));
}

// The command key goes first: a key with subkeys is never deleted, so the
// verb key stays while it holds anything else.
void RemoveVerb(ShellContext& context, const char* verb) {
  auto& registry = context.platform.Registry();
  Reg32::DeleteKey(registry, kHkeyClassesRoot, VerbKey(verb) + "\\command");
  Reg32::DeleteKey(registry, kHkeyClassesRoot, VerbKey(verb));
}

void SaveFlag(ShellContext& context, const char* name) {
  settings::SaveSetting(context.platform.Registry(), settings::kAppName, settings::kSettings,
                        name, "True");
}

// A Run value: written while the box is ticked, deleted when it is clear. A
// Run key that cannot be opened stops the handler before either.
void RunValueClick(ShellContext& context, toolkit::CheckBox& box, const char* name, bool quiet) {
  auto& registry = context.platform.Registry();
  if (box.Value() == 1) {
    platform::OpenedKey key(registry);
    if (key.Open(kHkeyCurrentUser, kRunKey, kKeyWrite) != kErrorSuccess) return;
    SetText(registry, key.get(), name,
            StartCommand(ProgramPath(context.platform.System()), quiet));
  }
  if (box.Value() == 0) Reg32::DeleteValue(registry, kHkeyCurrentUser, kRunKey, name);
}

// The verb boxes: the verb and its flag while ticked, neither when cleared.
void VerbClick(ShellContext& context, toolkit::CheckBox& box, const char* verb, bool quiet,
               const char* flag) {
  if (box.Value() == 1) {
    WriteVerb(context, verb, quiet);
    SaveFlag(context, flag);
  } else {
    RemoveVerb(context, verb);
    settings::DeleteSetting(context.platform, settings::kSettings, flag);
  }
}

}  // namespace

std::string ProgramPath(platform::SystemApi& system) {
  return system.ProgramFolder() + "\\" + system.ProgramName() + ".exe";
}

std::string StartCommand(const std::string& path, bool quiet) {
  std::string command = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
  return quiet ? command + " /AUTO" : command;
}

void VnbRBin(ShellContext& context) { WriteVerb(context, kOpenVerb, false); }

void VnbRBin2(ShellContext& context) { WriteVerb(context, kRunVerb, true); }

void VnbIE(ShellContext& context) {
  auto& registry = context.platform.Registry();
  auto& system = context.platform.System();
  Reg32::CreateKey(registry, kHkeyCurrentUser, kIEButtonKey);
  platform::OpenedKey key(registry);
  if (key.Open(kHkeyCurrentUser, kIEButtonKey, kKeyWrite) != kErrorSuccess) return;
  std::string icon = system.ProgramFolder() + "\\vanbrisk.ico";
  SetText(registry, key.get(), "Exec", ProgramPath(system));
  SetText(registry, key.get(), "Icon", icon);
  SetText(registry, key.get(), "HotIcon", icon);
  SetText(registry, key.get(), "ButtonText", "Vanbrisk");
  SetText(registry, key.get(), "CLSID", "{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}");
  // Three bytes, no terminating NUL.
  (void)registry.RegSetValueExA(key.get(), "Default Visible", kRegSz,
                                reinterpret_cast<const BYTE*>("Yes"), 3);
}

void OpenOnStartup_Click(ShellContext& context) {
  RunValueClick(context, context.openOnStartup, kStartupValue, false);
}

void CleanAtStartup_Click(ShellContext& context) {
  RunValueClick(context, context.cleanAtStartup, kQuietStartupValue, true);
}

void RecycleBinOpenVerb_Click(ShellContext& context) {
  VerbClick(context, context.recycleBinOpenVerb, kOpenVerb, false, kOpenVerbSetting);
}

void RecycleBinRunVerb_Click(ShellContext& context) {
  VerbClick(context, context.recycleBinRunVerb, kRunVerb, true, kRunVerbSetting);
}

void ExplorerButton_Click(ShellContext& context) {
  if (context.explorerButton.Value() == 1) {
    SaveFlag(context, kIEButtonSetting);
    VnbIE(context);
  } else {
    Reg32::DeleteKey(context.platform.Registry(), kHkeyCurrentUser, kIEButtonKey);
    settings::DeleteSetting(context.platform, settings::kSettings, kIEButtonSetting);
  }
}

}  // namespace vb::shell
