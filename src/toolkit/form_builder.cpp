#include "toolkit/form_builder.h"

namespace vb::toolkit::detail {

Control* Container(Form& form, const ControlSpec& spec) {
  if (!spec.container) return nullptr;
  Control* container = form.Find(spec.container);
  if (!container)
    throw std::logic_error(std::string(spec.name) + " sits in " + spec.container +
                           ", which no earlier row of " + form.name() + " makes");
  return container;
}

void Apply(Control& control, const ControlSpec& spec) {
  control.SetCaption(spec.caption);
  control.SetVisible(spec.visible);
  control.SetEnabled(spec.enabled);
  if (spec.toolTip) control.SetToolTipText(spec.toolTip);
  control.SetLanguageKeys(spec.key, spec.toolTipKey);
  control.SetLook(spec.look);
  control.SetFont(spec.font);
  control.SetMousePointer(spec.pointer);
  control.SetAnchors(spec.anchors);
  switch (control.kind()) {
    case Kind::kCheckBox:
      if (spec.value) static_cast<CheckBox&>(control).SetValue(spec.value);
      break;
    case Kind::kTextBox: {
      auto& text = static_cast<TextBox&>(control);
      text.SetMultiLine(spec.flags & kMultiLine);
      text.SetLocked(spec.flags & kLocked);
      text.SetScrollsSideways(spec.flags & kNoWrap);
      break;
    }
    case Kind::kListBox: {
      auto& list = static_cast<ListBox&>(control);
      list.SetSorted(spec.flags & kSorted);
      list.SetCheckBoxes(spec.flags & kCheckBoxes);
      break;
    }
    case Kind::kListView: {
      auto& view = static_cast<ListView&>(control);
      view.SetCheckBoxes(spec.flags & kCheckBoxes);
      if (!spec.columns.empty()) view.SetColumns(spec.columns);
      break;
    }
    case Kind::kTabStrip:
      if (!spec.tabs.empty()) static_cast<TabStrip&>(control).SetTabs(spec.tabs);
      static_cast<TabStrip&>(control).SetTabKeys(spec.tabKeys);
      break;
    case Kind::kButton:
      if (spec.flags & kDefault) control.form().SetDefaultButton(&static_cast<Button&>(control));
      break;
    default:
      break;
  }
}

void Place(Control& control, const ControlSpec& spec) {
  if (spec.at.width > 0 || spec.at.height > 0) control.SetPosition(spec.at);
}

}  // namespace vb::toolkit::detail
