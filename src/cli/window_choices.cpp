#include "cli/window_choices.h"

#include <algorithm>
#include <utility>

#include "app/form1_settings.h"

namespace vb::cli {

std::vector<BoxChoice> MainWindowBoxes(app::Form1& form) {
  std::vector<BoxChoice> boxes;
  for (const engine::ItemRow& row : engine::ItemRows())
    boxes.push_back({&form.ItemBox(row.item), true, row.caption});
  // "Clean Personalized" guards the personalized items' stage as the item
  // boxes guard theirs.
  boxes.push_back({form.cleanPersonalized, true, engine::kPersonalizedSource});
  for (const app::BoxSetting& row : app::BoxSettings()) {
    toolkit::CheckBox* box = &row.BoxOf(form);
    bool known = std::any_of(boxes.begin(), boxes.end(),
                             [box](const BoxChoice& choice) { return choice.box == box; });
    if (!known) boxes.push_back({box, false});
  }
  return boxes;
}

std::vector<EntryChoice> CatalogueEntries(app::Form1& form) {
  const std::pair<toolkit::ListBox*, const char*> lists[] = {
      {form.applicationsList, "Applications"}, {form.internetList, "Internet"},
      {form.multimediaList, "Multimedia"},     {form.utilitiesList, "Utilities"},
      {form.windowsList, "Windows"},
  };
  std::vector<EntryChoice> entries;
  for (const auto& [list, name] : lists)
    for (int i = 0; i < list->ListCount(); ++i) entries.push_back({list, name, i});
  return entries;
}

std::string ShownCaption(const std::string& caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      shown += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      shown += '&';
      ++i;
    }
  }
  return shown;
}

void SetValueQuietly(toolkit::CheckBox& box, int value) {
  std::function<void()> handler = std::move(box.onClick);
  box.onClick = nullptr;
  box.SetValue(value);
  box.onClick = std::move(handler);
}

}  // namespace vb::cli
