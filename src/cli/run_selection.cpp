#include "cli/run_selection.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace vb::cli {

namespace {

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = text.find(',', start);
    pieces.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return pieces;
    start = comma + 1;
  }
}

// The caption a box of the main window is built with, as the user reads it:
// the English one, whatever language file has replaced it since. A script
// means the same boxes in every language, and a language file may leave a
// caption empty or give two boxes one caption.
std::string BuiltCaption(const toolkit::CheckBox& box) {
  for (const auto& row : app::Form1Table().controls)
    if (box.name() == row.spec.name) return ShownCaption(row.spec.caption);
  return {};
}

// Adds what the name matches to the selection; false when it matches nothing.
// An empty name matches nothing.
bool Match(app::Form1& form, const std::string& name, Selection* selection) {
  if (name.empty()) return false;
  bool found = false;
  for (const BoxChoice& choice : MainWindowBoxes(form)) {
    if (!choice.item) continue;
    if (platform::EqualsIgnoringCase(name, choice.box->name()) ||
        platform::EqualsIgnoringCase(name, BuiltCaption(*choice.box))) {
      if (selection) selection->boxes.push_back(choice.box);
      found = true;
    }
  }
  for (const EntryChoice& entry : CatalogueEntries(form)) {
    if (!platform::EqualsIgnoringCase(entry.list->List(entry.index), name)) continue;
    if (selection) selection->entries.push_back(entry);
    found = true;
  }
  return found;
}

}  // namespace

Result<Selection> ResolveSelection(app::Form1& form, const std::vector<std::string>& arguments) {
  Selection selection;
  for (const std::string& argument : arguments) {
    std::vector<std::string> pieces = SplitAtCommas(argument);
    for (std::size_t first = 0; first < pieces.size();) {
      // The longest run of pieces, joined by their commas, that names something.
      std::size_t last = pieces.size();
      std::string name;
      for (; last > first; --last) {
        name = pieces[first];
        for (std::size_t k = first + 1; k < last; ++k) name += "," + pieces[k];
        if (Match(form, name, nullptr)) break;
      }
      if (last == first && pieces[first].empty())
        return Fail("an empty name in --select (two commas together, or a comma first or last); "
                    "nothing was run");
      if (last == first)
        return Fail("unknown name \"" + pieces[first] +
                    "\": neither an item box nor an entry of the application lists "
                    "(see vanbrisk-cli list); nothing was run");
      [[maybe_unused]] bool matched = Match(form, name, &selection);
      first = last;
    }
  }
  return selection;
}

Result<> CheckSelectionAgainstPolicy(app::MainWindow& window, const Selection& selection) {
  for (toolkit::CheckBox* box : selection.boxes)
    if (window.Locked(*box) && box->Value() != 1)
      return Fail("\"" + ShownCaption(box->Caption()) +
                  "\" is cleared by Group Policy, which --select cannot change; nothing was run");
  if (!selection.entries.empty() && window.Policy().entries)
    return Fail("the entries to clean are set by Group Policy (\"" +
                selection.entries.front().list->List(selection.entries.front().index) +
                "\" named), which --select cannot change; nothing was run");
  return {};
}

void ApplySelection(app::MainWindow& window, const Selection& selection) {
  app::Form1& form = window.form();
  for (const BoxChoice& choice : MainWindowBoxes(form)) {
    if (!choice.item || window.Locked(*choice.box)) continue;
    // The entries are cleaned by the stage of "Third Party Applications".
    bool named = std::find(selection.boxes.begin(), selection.boxes.end(), choice.box) !=
                 selection.boxes.end();
    bool forEntries =
        choice.box == &form.ItemBox(engine::Item::kApplications) && !selection.entries.empty();
    bool chosen = named || forEntries;
    SetValueQuietly(*choice.box, chosen ? 1 : 0);
  }
  if (window.Policy().entries) return;
  for (const EntryChoice& entry : CatalogueEntries(form)) {
    bool chosen = std::any_of(selection.entries.begin(), selection.entries.end(),
                              [&](const EntryChoice& e) {
                                return e.list == entry.list && e.index == entry.index;
                              });
    entry.list->SetChecked(entry.index, chosen);
  }
}

}  // namespace vb::cli
