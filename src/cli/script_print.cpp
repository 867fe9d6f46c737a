#include "cli/script_print.h"

#include <utility>
#include <vector>

#include "cli/script_names.h"
#include "platform/ascii_case.h"

namespace vb::cli::script {

using toolkit::Control;
using toolkit::Form;

namespace {

enum class Property {
  kNone, kVisible, kEnabled, kValue, kCaption, kToolTip, kCount, kChecked, kIndex,
};

Property PropertyNamed(const std::string& word) {
  static constexpr std::pair<const char*, Property> kNames[] = {
      {"visible", Property::kVisible}, {"enabled", Property::kEnabled},
      {"value", Property::kValue},     {"caption", Property::kCaption},
      {"tooltip", Property::kToolTip}, {"count", Property::kCount},
      {"checked", Property::kChecked}, {"index", Property::kIndex},
  };
  for (const auto& [name, property] : kNames)
    if (platform::EqualsIgnoringCase(word, name)) return property;
  return Property::kNone;
}

// Line breaks as the host writes them: the program's CR LF become "\n",
// which a text stream writes as the host's line ending.
std::string HostLines(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

const char* Bool(bool value) { return value ? "True" : "False"; }

Result<> FormValue(Form& form, Property property, const std::string& name,
                   std::vector<std::string>* lines) {
  switch (property) {
    case Property::kNone:
    case Property::kCaption: lines->push_back(form.Caption()); return {};
    case Property::kVisible: lines->push_back(Bool(form.Visible())); return {};
    case Property::kEnabled: lines->push_back(Bool(form.Enabled())); return {};
    default: return Fail(name + " is a window; it has no such property");
  }
}

Result<> ControlValue(Control& c, Property property, const std::string& name,
                      std::vector<std::string>* lines) {
  auto* check = dynamic_cast<toolkit::CheckBox*>(&c);
  auto* text = dynamic_cast<toolkit::TextBox*>(&c);
  auto* list = dynamic_cast<toolkit::ListBox*>(&c);
  auto* view = dynamic_cast<toolkit::ListView*>(&c);
  auto* combo = dynamic_cast<toolkit::ComboBox*>(&c);
  auto* strip = dynamic_cast<toolkit::TabStrip*>(&c);
  auto* bar = dynamic_cast<toolkit::ProgressBar*>(&c);
  auto* menu = dynamic_cast<toolkit::Menu*>(&c);
  auto number = [&](int n) { lines->push_back(std::to_string(n)); };
  auto viewRow = [&](int i) {
    std::string row = view->ItemAt(i).text;
    for (const std::string& sub : view->ItemAt(i).subItems) row += "\t" + sub;
    return row;
  };
  std::string none = name + " is " + KindName(c.kind()) + "; it has no ";
  switch (property) {
    case Property::kNone:
      if (text) lines->push_back(text->Text());
      else if (combo) lines->push_back(combo->Text());
      else if (bar) number(bar->Value());
      else if (list)
        for (int i = 0; i < list->ListCount(); ++i) lines->push_back(list->List(i));
      else if (view)
        for (int i = 0; i < view->Count(); ++i) lines->push_back(viewRow(i));
      else if (strip)
        lines->push_back(strip->Tabs().empty() ? std::string()
                                               : strip->Tabs()[strip->SelectedIndex()]);
      else if (menu)
        for (const toolkit::MenuItem* item : menu->Items()) lines->push_back(item->Caption());
      else
        lines->push_back(c.Caption());
      return {};
    case Property::kVisible: lines->push_back(Bool(c.Visible())); return {};
    case Property::kEnabled: lines->push_back(Bool(c.Enabled())); return {};
    case Property::kCaption: lines->push_back(c.Caption()); return {};
    case Property::kToolTip: lines->push_back(c.ToolTipText()); return {};
    case Property::kValue:
      if (check) number(check->Value());
      else if (bar) number(bar->Value());
      else return Fail(none + "value");
      return {};
    case Property::kCount:
      if (list) number(list->ListCount());
      else if (view) number(view->Count());
      else if (combo) number(combo->ListCount());
      else if (strip) number(static_cast<int>(strip->Tabs().size()));
      else if (menu) number(static_cast<int>(menu->Items().size()));
      else return Fail(none + "count");
      return {};
    case Property::kIndex:
      if (list) number(list->ListIndex());
      else if (view) number(view->SelectedIndex());
      else if (combo) number(combo->ListIndex());
      else if (strip) number(strip->SelectedIndex());
      else return Fail(none + "index");
      return {};
    case Property::kChecked:
      if (list && list->HasCheckBoxes()) {
        for (int i = 0; i < list->ListCount(); ++i)
          if (list->Checked(i)) lines->push_back(list->List(i));
      } else if (view && view->HasCheckBoxes()) {
        for (int i = 0; i < view->Count(); ++i)
          if (view->ItemAt(i).checked) lines->push_back(viewRow(i));
      } else {
        return Fail(name + " has no check boxes");
      }
      return {};
  }
  return {};
}

}  // namespace

Result<> Print(ScriptTarget& target, const std::string& name, std::ostream& out) {
  Named named;
  Property property = Property::kNone;
  Result<> whole = Resolve(target, name, &named);
  if (!whole) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return whole;
    property = PropertyNamed(name.substr(dot + 1));
    Result<> prefix = Resolve(target, name.substr(0, dot), &named);
    // A window that was open and is closed now is not visible.
    if (!prefix && property == Property::kVisible && target.App() &&
        target.App()->EverCreated(name.substr(0, dot))) {
      out << "False\n";
      return {};
    }
    if (property == Property::kNone)
      return !prefix ? whole
                     : Fail(name.substr(0, dot) + " has no property " + name.substr(dot + 1));
    if (!prefix) return prefix;
  }
  std::string shown = property == Property::kNone ? name : name.substr(0, name.rfind('.'));
  std::vector<std::string> lines;
  Result<> r = named.control ? ControlValue(*named.control, property, shown, &lines)
                             : FormValue(*named.form, property, shown, &lines);
  if (!r) return r;
  for (const std::string& line : lines) {
    std::string text = HostLines(line);
    out << text;
    if (text.empty() || text.back() != '\n') out << '\n';
  }
  return {};
}

}  // namespace vb::cli::script
