#include "cli/script_verbs.h"

#include <string>
#include <vector>

#include "cli/script_names.h"
#include "cli/script_print.h"
#include "platform/ascii_case.h"
#include "toolkit/application.h"

namespace vb::cli::script {

using platform::EqualsIgnoringCase;
using toolkit::Control;
using toolkit::Form;
using toolkit::Kind;

namespace {

// A caption as the user reads it: "&" marks the access key, "&&" is "&".
std::string ShownCaption(const std::string& caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

// The index of the text among texts: an exact match first, else one that
// differs in letter case or access-key marks only; -1 when none.
template <class TextOf>
int FindText(int count, TextOf textOf, const std::string& wanted) {
  for (int i = 0; i < count; ++i)
    if (textOf(i) == wanted) return i;
  for (int i = 0; i < count; ++i)
    if (EqualsIgnoringCase(ShownCaption(textOf(i)), ShownCaption(wanted))) return i;
  return -1;
}

Result<> WrongKind(const std::string& verb, const std::string& name, const Control& c,
                   const char* needs) {
  return Fail(verb + " needs " + needs + "; " + name + " is " + KindName(c.kind()));
}

Result<> ClickMenuItem(toolkit::MenuItem& item, const std::string& name) {
  if (item.IsSeparator()) return Fail(name + " is a separator");
  item.form().ClosePopup();
  item.UserClick();
  return {};
}

// A popup menu closes when the user does anything but choose from it.
void CloseOtherPopups(ScriptTarget& target, Control* acted) {
  Control* menu = acted->kind() == Kind::kMenuItem ? acted->container() : acted;
  for (Form* form : target.App()->Forms())
    if (form->OpenPopup() && form->OpenPopup() != menu) form->ClosePopup();
}

Result<> Check(Control& c, const Command& command, bool checked) {
  const std::string& name = command.name;
  if (auto* list = dynamic_cast<toolkit::ListBox*>(&c)) {
    if (!list->HasCheckBoxes()) return Fail(name + " has no check boxes");
    int index = FindText(list->ListCount(), [&](int i) { return list->List(i); }, command.text);
    if (index < 0) return Fail(name + " has no row " + command.text);
    list->SetChecked(index, checked);
    return {};
  }
  if (auto* view = dynamic_cast<toolkit::ListView*>(&c)) {
    if (!view->HasCheckBoxes()) return Fail(name + " has no check boxes");
    int index =
        FindText(view->Count(), [&](int i) { return view->ItemAt(i).text; }, command.text);
    if (index < 0) return Fail(name + " has no row " + command.text);
    view->SetChecked(index, checked);
    return {};
  }
  return WrongKind(command.syntax->word, name, c, "a list box or a list view");
}

Result<> Choose(Control& c, const Command& command) {
  const std::string& name = command.name;
  const std::string& text = command.text;
  if (auto* list = dynamic_cast<toolkit::ListBox*>(&c)) {
    int index = FindText(list->ListCount(), [&](int i) { return list->List(i); }, text);
    if (index < 0) return Fail(name + " has no row " + text);
    // A click on a row makes it the current one, then fires the click.
    list->SetListIndex(index);
    list->UserClick();
    return {};
  }
  if (auto* view = dynamic_cast<toolkit::ListView*>(&c)) {
    int index = FindText(view->Count(), [&](int i) { return view->ItemAt(i).text; }, text);
    if (index < 0) return Fail(name + " has no row " + text);
    view->UserSelect(index);
    return {};
  }
  if (auto* combo = dynamic_cast<toolkit::ComboBox*>(&c)) {
    int index = FindText(combo->ListCount(), [&](int i) { return combo->List(i); }, text);
    if (index < 0) return Fail(name + " has no item " + text);
    combo->UserChoose(index);
    return {};
  }
  if (auto* menu = dynamic_cast<toolkit::Menu*>(&c)) {
    std::vector<toolkit::MenuItem*> items = menu->Items();
    auto caption = [&](int i) {
      return items[i]->IsSeparator() ? std::string() : items[i]->Caption();
    };
    int index = FindText(static_cast<int>(items.size()), caption, text);
    if (index < 0 || text.empty()) return Fail(name + " has no item " + text);
    toolkit::MenuItem& item = *items[index];
    std::string itemName = name + " item " + text;
    if (!item.Visible()) return Fail(itemName + " is hidden");
    if (!item.Enabled()) return Fail(itemName + " is disabled");
    return ClickMenuItem(item, itemName);
  }
  return WrongKind(command.syntax->word, name, c,
                   "a list box, a list view, a combo box or a menu");
}

// The commands that act on one control the user can reach.
Result<> Act(const Command& command, Control& c) {
  Verb verb = command.syntax->verb;
  const std::string& name = command.name;
  std::string verbWord = command.syntax->word;
  bool menuPart = c.kind() == Kind::kMenu || c.kind() == Kind::kMenuItem;
  switch (verb) {
    case Verb::kClick:
      if (c.kind() == Kind::kMenu)
        return Fail(name + " is a menu; choose one of its items (choose " + name + " CAPTION)");
      if (c.kind() == Kind::kMenuItem)
        return ClickMenuItem(static_cast<toolkit::MenuItem&>(c), name);
      c.UserClick();
      return {};
    case Verb::kRightClick:
      if (menuPart) return WrongKind(verbWord, name, c, "a control of a window");
      c.UserMouseDown(toolkit::MouseButton::kRight);
      return {};
    case Verb::kKey:
      if (menuPart) return WrongKind(verbWord, name, c, "a control of a window");
      c.UserKeyDown(command.code);
      return {};
    case Verb::kTick:
    case Verb::kUntick: {
      auto* box = dynamic_cast<toolkit::CheckBox*>(&c);
      if (!box) return WrongKind(verbWord, name, c, "a check box");
      box->SetValue(verb == Verb::kTick ? 1 : 0);
      return {};
    }
    case Verb::kType:
      if (auto* box = dynamic_cast<toolkit::TextBox*>(&c)) {
        if (box->Locked()) return Fail(name + " is read-only");
        box->SetText(command.text);
        return {};
      }
      if (auto* combo = dynamic_cast<toolkit::ComboBox*>(&c)) {
        combo->SetText(command.text);
        return {};
      }
      return WrongKind(verbWord, name, c, "a text box or a combo box");
    case Verb::kTab: {
      auto* strip = dynamic_cast<toolkit::TabStrip*>(&c);
      if (!strip) return WrongKind(verbWord, name, c, "a tab strip");
      const auto& tabs = strip->Tabs();
      int index = FindText(static_cast<int>(tabs.size()), [&](int i) { return tabs[i]; },
                           command.text);
      if (index < 0) return Fail(name + " has no tab " + command.text);
      strip->UserChoose(index);
      return {};
    }
    case Verb::kCheck:
    case Verb::kUncheck:
      return Check(c, command, verb == Verb::kCheck);
    case Verb::kChoose:
      return Choose(c, command);
    default:
      return Fail("cannot do that here");
  }
}

Result<> Unload(ScriptTarget& target, const std::string& name) {
  Form* form = target.MainForm();
  std::string shown = name.empty() ? form->name() : name;
  if (!name.empty()) {
    Named named;
    if (Result<> r = Resolve(target, name, &named); !r) return r;
    if (named.control) return Fail("unload needs a window; " + name + " is a control");
    form = named.form;
  }
  if (Result<> r = Reachable(Named{form, nullptr}, shown); !r) return r;
  bool main = form == target.MainForm();
  form->Unload();
  // Closing the main window ends the program.
  if (main && target.Running()) target.App()->End();
  return {};
}

}  // namespace

Result<> Perform(const Command& command, ScriptTarget& target, platform::ScriptedUi* ui,
                 std::ostream& out) {
  Verb verb = command.syntax->verb;
  if (verb == Verb::kAnswer) {
    if (!ui) return Fail("answer: this platform takes no queued answers");
    ui->QueueAnswer(command.text);
    return {};
  }
  if (verb == Verb::kStart) {
    if (target.Running()) return Fail("the program is already running");
    target.Start(command.text);
    return {};
  }
  if (!target.Running())
    return Fail(std::string(target.App() ? "the program has ended"
                                         : "no program is running; start it first"));
  if (verb == Verb::kPrint) return Print(target, command.name, out);
  if (verb == Verb::kUnload) return Unload(target, command.name);

  Named named;
  if (Result<> r = Resolve(target, command.name, &named); !r) return r;
  if (!named.control)
    return Fail(std::string(command.syntax->word) + " needs a control; " + command.name +
                " is a window");
  if (Result<> r = Reachable(named, command.name); !r) return r;
  CloseOtherPopups(target, named.control);
  return Act(command, *named.control);
}

}  // namespace vb::cli::script
