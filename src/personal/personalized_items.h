// The Personalized page: the user's own files, folders, registry keys and
// registry values, kept in four list sections of the settings store and shown
// together in one list view.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "base/result.h"
#include "platform/platform.h"
#include "registry/settings_store.h"
#include "toolkit/controls.h"

namespace vb::personal {

// The four sections, in the order the list shows them.
inline constexpr std::array<const char*, 4> kSections = {
    registry::settings::kFolders, registry::settings::kFiles, registry::settings::kRegKeys,
    registry::settings::kRegValues};

struct PersonalizedContext {
  platform::Platform& platform;
  toolkit::ListView& list;  // the list on the Personalized page
};

// Appends a row for each entry of the section, in the store's order.
void AddSectionRows(platform::Platform& platform, const char* section, toolkit::ListView& list);

// Clears the list and shows the entries of the four sections in order.
void LoadPersonalized(PersonalizedContext& context);

// "Add File": a file chosen in the open-file dialog, stored and listed; a
// name with wildcards is refused.
void AddFile(PersonalizedContext& context);
// "Add Folder": a folder chosen in the folder picker, refused when it is a
// drive's root or a system folder, stored and listed after a confirmation.
void AddFolder(PersonalizedContext& context);
// Stores a registry entry the Add Registry dialog accepted (a value entry in
// the values section) and lists it.
void AddRegistryEntry(PersonalizedContext& context, const std::string& entry, bool value);
// "Remove Selected": after a confirmation, the selected row's entry from
// whichever section holds it, and the row.
void RemoveSelected(PersonalizedContext& context);
// "Remove All": after a confirmation, the four sections and every row.
void RemoveAll(PersonalizedContext& context);

// Whether a folder may be emptied; refused, with the message the user is
// shown: a drive's root, a folder the safety policy protects (decided on the
// folder the path leads to, whatever its spelling), or a folder reached only
// through a link. Any other folder may, a missing one included.
[[nodiscard]] Result<> FolderMayBeEmptied(platform::Platform& platform, const std::string& folder);

}  // namespace vb::personal
