#include "cli/script_driver.h"

#include <exception>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/ascii_case.h"

namespace vb::cli {

using platform::EqualsIgnoringCase;
using platform::FoldAscii;
using toolkit::Control;
using toolkit::Form;
using toolkit::Kind;

namespace {

using Refusal = std::optional<std::string>;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The words of one line. A word is a run of non-blanks in which "quoted
// parts" may hold blanks; "" inside quotes is one quote.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : line_(line) {}

  // The next word; nullopt at the end of the line, or at an unclosed quote
  // (then Bad()).
  std::optional<std::string> Next() {
    SkipBlanks();
    if (pos_ >= line_.size()) return std::nullopt;
    std::string word;
    while (pos_ < line_.size() && !IsBlank(line_[pos_])) {
      if (line_[pos_] != '"') {
        word += line_[pos_++];
        continue;
      }
      ++pos_;
      for (;;) {
        if (pos_ >= line_.size()) {
          bad_ = true;
          return std::nullopt;
        }
        if (line_[pos_] == '"') {
          if (pos_ + 1 < line_.size() && line_[pos_ + 1] == '"') {
            word += '"';
            pos_ += 2;
            continue;
          }
          ++pos_;
          break;
        }
        word += line_[pos_++];
      }
    }
    return word;
  }

  // The rest of the line as one argument, blanks around it removed; when it
  // is one quoted word, that word without its quotes.
  std::string Rest() {
    std::string raw = RawRest();
    if (raw.empty() || raw[0] != '"') return raw;
    LineReader inner(raw);
    std::optional<std::string> word = inner.Next();
    return word && inner.AtEnd() ? *word : raw;
  }

  // The rest of the line exactly as written, blanks around it removed.
  std::string RawRest() {
    SkipBlanks();
    std::size_t end = line_.size();
    while (end > pos_ && IsBlank(line_[end - 1])) --end;
    std::string rest(line_.substr(pos_, end - pos_));
    pos_ = line_.size();
    return rest;
  }

  bool AtEnd() {
    SkipBlanks();
    return pos_ >= line_.size();
  }
  bool Bad() const { return bad_; }

 private:
  void SkipBlanks() {
    while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
  }

  std::string_view line_;
  std::size_t pos_ = 0;
  bool bad_ = false;
};

enum class Verb {
  kStart, kUnload, kClick, kRightClick, kKey, kTick, kUntick,
  kType, kTab, kCheck, kUncheck, kChoose, kAnswer, kPrint,
};

// What follows the command word.
enum class Shape {
  kRawRest,       // start: the program's command line, as written
  kRest,          // answer: one argument to the end of the line
  kOptionalName,  // unload [FORM]
  kName,          // click NAME
  kNameCode,      // key NAME CODE
  kNameText,      // type NAME TEXT
};

struct Syntax {
  const char* word;
  Verb verb;
  Shape shape;
  const char* textName;  // what the final argument is, for messages
};

constexpr Syntax kSyntax[] = {
    {"start", Verb::kStart, Shape::kRawRest, ""},
    {"unload", Verb::kUnload, Shape::kOptionalName, ""},
    {"click", Verb::kClick, Shape::kName, ""},
    {"rightclick", Verb::kRightClick, Shape::kName, ""},
    {"key", Verb::kKey, Shape::kNameCode, "key code"},
    {"tick", Verb::kTick, Shape::kName, ""},
    {"untick", Verb::kUntick, Shape::kName, ""},
    {"type", Verb::kType, Shape::kNameText, "text"},
    {"tab", Verb::kTab, Shape::kNameText, "tab caption"},
    {"check", Verb::kCheck, Shape::kNameText, "row text"},
    {"uncheck", Verb::kUncheck, Shape::kNameText, "row text"},
    {"choose", Verb::kChoose, Shape::kNameText, "item text"},
    {"answer", Verb::kAnswer, Shape::kRest, "answer"},
    {"print", Verb::kPrint, Shape::kName, ""},
};

struct Command {
  const Syntax* syntax = nullptr;
  std::string name;
  std::string text;
  int code = 0;
};

bool ParseDecimal(const std::string& word, int* value) {
  if (word.empty() || word.size() > 9) return false;
  int v = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *value = v;
  return true;
}

// Splits a line into its command; nullopt command for a blank or comment line.
Refusal Parse(std::string_view line, std::optional<Command>* parsed) {
  std::size_t first = 0;
  while (first < line.size() && IsBlank(line[first])) ++first;
  if (first == line.size() || line[first] == '#') return std::nullopt;
  LineReader reader(line);
  std::optional<std::string> word = reader.Next();
  if (!word) return std::string("a quote is not closed");
  Command command;
  for (const Syntax& s : kSyntax)
    if (EqualsIgnoringCase(*word, s.word)) command.syntax = &s;
  if (!command.syntax) return "unknown command '" + *word + "'";
  const Syntax& s = *command.syntax;
  std::string verb = s.word;

  auto name = [&]() -> Refusal {
    std::optional<std::string> n = reader.Next();
    if (reader.Bad()) return std::string("a quote is not closed");
    if (!n || n->empty()) {
      if (s.shape == Shape::kName) return verb + " needs a name";
      return verb + " needs a name and a " + s.textName;
    }
    command.name = *n;
    return std::nullopt;
  };
  auto noMore = [&]() -> Refusal {
    if (reader.AtEnd()) return std::nullopt;
    return verb + " takes " + (s.shape == Shape::kNameCode ? "a name and a key code" : "one name") +
           "; '" + reader.RawRest() + "' is too much";
  };

  Refusal refusal;
  switch (s.shape) {
    case Shape::kRawRest:
      command.text = reader.RawRest();
      break;
    case Shape::kRest:
      if (reader.AtEnd()) return verb + " needs yes, no, ok, cancel or a path";
      command.text = reader.Rest();
      break;
    case Shape::kOptionalName:
      if (!reader.AtEnd() && !(refusal = name())) refusal = noMore();
      break;
    case Shape::kName:
      if (!(refusal = name())) refusal = noMore();
      break;
    case Shape::kNameCode: {
      if ((refusal = name())) break;
      std::optional<std::string> code = reader.Next();
      if (reader.Bad()) return std::string("a quote is not closed");
      if (!code) return verb + " needs a name and a key code";
      if (!ParseDecimal(*code, &command.code))
        return "the key code '" + *code + "' is not a decimal number";
      refusal = noMore();
      break;
    }
    case Shape::kNameText:
      if ((refusal = name())) break;
      // An empty text clears a text box; anything else needs its text.
      if (reader.AtEnd() && s.verb != Verb::kType)
        return verb + " needs a name and a " + s.textName;
      command.text = reader.Rest();
      break;
  }
  if (refusal) return refusal;
  *parsed = std::move(command);
  return std::nullopt;
}

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kLabel: return "a label";
    case Kind::kFrame: return "a frame";
    case Kind::kButton: return "a button";
    case Kind::kCheckBox: return "a check box";
    case Kind::kPictureBox: return "a picture box";
    case Kind::kTextBox: return "a text box";
    case Kind::kListBox: return "a list box";
    case Kind::kListView: return "a list view";
    case Kind::kComboBox: return "a combo box";
    case Kind::kTabStrip: return "a tab strip";
    case Kind::kProgressBar: return "a progress bar";
    case Kind::kMenu: return "a menu";
    case Kind::kMenuItem: return "a menu item";
    case Kind::kShape: return "a shape";
  }
  return "a control";
}

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

// Line breaks as the host writes them: the program's CR LF become "\n",
// which a text stream writes as the host's line ending.
std::string HostLines(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

// A name resolved in the running program: a window, or a control of one.
struct Target {
  Form* form = nullptr;
  Control* control = nullptr;
};

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
    if (EqualsIgnoringCase(word, name)) return property;
  return Property::kNone;
}

class Executor {
 public:
  Executor(ScriptTarget& target, platform::ScriptedUi* ui, std::ostream& out)
      : target_(target), ui_(ui), out_(out) {}

  Refusal Execute(const Command& command) {
    Verb verb = command.syntax->verb;
    if (verb == Verb::kAnswer) {
      if (!ui_) return std::string("answer: this platform takes no queued answers");
      ui_->QueueAnswer(command.text);
      return std::nullopt;
    }
    if (verb == Verb::kStart) {
      if (target_.Running()) return std::string("the program is already running");
      target_.Start(command.text);
      return std::nullopt;
    }
    if (!target_.Running())
      return std::string(target_.App() ? "the program has ended"
                                       : "no program is running; start it first");
    if (verb == Verb::kPrint) return Print(command.name);
    if (verb == Verb::kUnload) return Unload(command.name);

    Target t;
    if (Refusal r = Resolve(command.name, &t)) return r;
    std::string verbWord = command.syntax->word;
    if (!t.control) return verbWord + " needs a control; " + command.name + " is a window";
    if (Refusal r = Reachable(t, command.name)) return r;
    CloseOtherPopups(t.control);
    return Act(verb, command, *t.control);
  }

 private:
  Refusal Resolve(const std::string& name, Target* t) {
    toolkit::Application* app = target_.App();
    std::size_t dot = name.find('.');
    if (dot != std::string::npos) {
      std::string formName = name.substr(0, dot);
      Form* form = app->FindForm(formName);
      if (!form) return "unknown window " + formName;
      Control* control = form->Find(name.substr(dot + 1));
      if (!control) return "unknown name " + name;
      *t = Target{form, control};
      return std::nullopt;
    }
    if (Form* main = target_.MainForm())
      if (Control* control = main->Find(name)) {
        *t = Target{main, control};
        return std::nullopt;
      }
    if (Form* form = app->FindForm(name)) {
      *t = Target{form, nullptr};
      return std::nullopt;
    }
    return "unknown name " + name;
  }

  // Whether the user can reach the window, and the control through the
  // frames (or the menu) that hold it.
  static Refusal Reachable(const Target& t, const std::string& name) {
    Form& form = *t.form;
    std::string windowName = t.control ? form.name() : name;
    if (!form.Loaded()) return windowName + " is not loaded";
    if (!form.Visible()) return windowName + " is hidden";
    if (!form.Enabled()) return windowName + " is disabled";
    for (Control* c = t.control; c; c = c->container()) {
      std::string who = c == t.control ? name : name + " is in " + c->name() + ", which";
      if (c->kind() == Kind::kMenu) {
        if (form.OpenPopup() != c && !c->Visible()) return who + " is not open";
        if (!c->Enabled()) return who + " is disabled";
        break;
      }
      if (!c->Visible()) return who + " is hidden";
      if (!c->Enabled()) return who + " is disabled";
    }
    return std::nullopt;
  }

  // A popup menu closes when the user does anything but choose from it.
  void CloseOtherPopups(Control* acted) {
    Control* menu = acted->kind() == Kind::kMenuItem ? acted->container() : acted;
    for (Form* form : target_.App()->Forms())
      if (form->OpenPopup() && form->OpenPopup() != menu) form->ClosePopup();
  }

  static Refusal WrongKind(const std::string& verb, const std::string& name, const Control& c,
                           const char* needs) {
    return verb + " needs " + needs + "; " + name + " is " + KindName(c.kind());
  }

  Refusal Act(Verb verb, const Command& command, Control& c) {
    const std::string& name = command.name;
    std::string verbWord = command.syntax->word;
    bool menuPart = c.kind() == Kind::kMenu || c.kind() == Kind::kMenuItem;
    switch (verb) {
      case Verb::kClick:
        if (c.kind() == Kind::kMenu)
          return name + " is a menu; choose one of its items (choose " + name + " CAPTION)";
        if (c.kind() == Kind::kMenuItem)
          return ClickMenuItem(static_cast<toolkit::MenuItem&>(c), name);
        c.UserClick();
        return std::nullopt;
      case Verb::kRightClick:
        if (menuPart) return WrongKind(verbWord, name, c, "a control of a window");
        c.UserMouseDown(toolkit::MouseButton::kRight);
        return std::nullopt;
      case Verb::kKey:
        if (menuPart) return WrongKind(verbWord, name, c, "a control of a window");
        c.UserKeyDown(command.code);
        return std::nullopt;
      case Verb::kTick:
      case Verb::kUntick: {
        auto* box = dynamic_cast<toolkit::CheckBox*>(&c);
        if (!box) return WrongKind(verbWord, name, c, "a check box");
        box->SetValue(verb == Verb::kTick ? 1 : 0);
        return std::nullopt;
      }
      case Verb::kType:
        if (auto* box = dynamic_cast<toolkit::TextBox*>(&c)) {
          if (box->Locked()) return name + " is read-only";
          box->SetText(command.text);
          return std::nullopt;
        }
        if (auto* combo = dynamic_cast<toolkit::ComboBox*>(&c)) {
          combo->SetText(command.text);
          return std::nullopt;
        }
        return WrongKind(verbWord, name, c, "a text box or a combo box");
      case Verb::kTab: {
        auto* strip = dynamic_cast<toolkit::TabStrip*>(&c);
        if (!strip) return WrongKind(verbWord, name, c, "a tab strip");
        const auto& tabs = strip->Tabs();
        int index = FindText(static_cast<int>(tabs.size()), [&](int i) { return tabs[i]; },
                             command.text);
        if (index < 0) return name + " has no tab " + command.text;
        strip->UserChoose(index);
        return std::nullopt;
      }
      case Verb::kCheck:
      case Verb::kUncheck:
        return Check(c, command, verb == Verb::kCheck);
      case Verb::kChoose:
        return Choose(c, command);
      default:
        return std::string("cannot do that here");
    }
  }

  Refusal ClickMenuItem(toolkit::MenuItem& item, const std::string& name) {
    if (item.IsSeparator()) return name + " is a separator";
    item.form().ClosePopup();
    item.UserClick();
    return std::nullopt;
  }

  Refusal Check(Control& c, const Command& command, bool checked) {
    const std::string& name = command.name;
    if (auto* list = dynamic_cast<toolkit::ListBox*>(&c)) {
      if (!list->HasCheckBoxes()) return name + " has no check boxes";
      int index = FindText(list->ListCount(), [&](int i) { return list->List(i); }, command.text);
      if (index < 0) return name + " has no row " + command.text;
      list->SetChecked(index, checked);
      return std::nullopt;
    }
    if (auto* view = dynamic_cast<toolkit::ListView*>(&c)) {
      if (!view->HasCheckBoxes()) return name + " has no check boxes";
      int index =
          FindText(view->Count(), [&](int i) { return view->ItemAt(i).text; }, command.text);
      if (index < 0) return name + " has no row " + command.text;
      view->SetChecked(index, checked);
      return std::nullopt;
    }
    return WrongKind(command.syntax->word, name, c, "a list box or a list view");
  }

  Refusal Choose(Control& c, const Command& command) {
    const std::string& name = command.name;
    const std::string& text = command.text;
    if (auto* list = dynamic_cast<toolkit::ListBox*>(&c)) {
      int index = FindText(list->ListCount(), [&](int i) { return list->List(i); }, text);
      if (index < 0) return name + " has no row " + text;
      // A click on a row makes it the current one, then fires the click.
      list->SetListIndex(index);
      list->UserClick();
      return std::nullopt;
    }
    if (auto* view = dynamic_cast<toolkit::ListView*>(&c)) {
      int index = FindText(view->Count(), [&](int i) { return view->ItemAt(i).text; }, text);
      if (index < 0) return name + " has no row " + text;
      view->UserSelect(index);
      return std::nullopt;
    }
    if (auto* combo = dynamic_cast<toolkit::ComboBox*>(&c)) {
      int index = FindText(combo->ListCount(), [&](int i) { return combo->List(i); }, text);
      if (index < 0) return name + " has no item " + text;
      combo->UserChoose(index);
      return std::nullopt;
    }
    if (auto* menu = dynamic_cast<toolkit::Menu*>(&c)) {
      std::vector<toolkit::MenuItem*> items = menu->Items();
      auto caption = [&](int i) {
        return items[i]->IsSeparator() ? std::string() : items[i]->Caption();
      };
      int index = FindText(static_cast<int>(items.size()), caption, text);
      if (index < 0 || text.empty()) return name + " has no item " + text;
      toolkit::MenuItem& item = *items[index];
      std::string itemName = name + " item " + text;
      if (!item.Visible()) return itemName + " is hidden";
      if (!item.Enabled()) return itemName + " is disabled";
      return ClickMenuItem(item, itemName);
    }
    return WrongKind(command.syntax->word, name, c,
                     "a list box, a list view, a combo box or a menu");
  }

  Refusal Unload(const std::string& name) {
    Form* form = target_.MainForm();
    std::string shown = name.empty() ? form->name() : name;
    if (!name.empty()) {
      Target t;
      if (Refusal r = Resolve(name, &t)) return r;
      if (t.control) return "unload needs a window; " + name + " is a control";
      form = t.form;
    }
    if (Refusal r = Reachable(Target{form, nullptr}, shown)) return r;
    bool main = form == target_.MainForm();
    form->Unload();
    // Closing the main window ends the program.
    if (main && target_.Running()) target_.App()->End();
    return std::nullopt;
  }

  // The value printed, one entry per line.
  Refusal Print(const std::string& name) {
    Target t;
    Property property = Property::kNone;
    Refusal whole = Resolve(name, &t);
    if (whole) {
      std::size_t dot = name.rfind('.');
      if (dot == std::string::npos) return whole;
      property = PropertyNamed(name.substr(dot + 1));
      Refusal prefix = Resolve(name.substr(0, dot), &t);
      if (property == Property::kNone)
        return prefix ? whole : name.substr(0, dot) + " has no property " + name.substr(dot + 1);
      if (prefix) return prefix;
    }
    std::string shown = property == Property::kNone ? name : name.substr(0, name.rfind('.'));
    std::vector<std::string> lines;
    Refusal r = t.control ? ControlValue(*t.control, property, shown, &lines)
                          : FormValue(*t.form, property, shown, &lines);
    if (r) return r;
    for (const std::string& line : lines) {
      std::string text = HostLines(line);
      out_ << text;
      if (text.empty() || text.back() != '\n') out_ << '\n';
    }
    return std::nullopt;
  }

  static const char* Bool(bool value) { return value ? "True" : "False"; }

  static Refusal FormValue(Form& form, Property property, const std::string& name,
                           std::vector<std::string>* lines) {
    switch (property) {
      case Property::kNone:
      case Property::kCaption: lines->push_back(form.Caption()); return std::nullopt;
      case Property::kVisible: lines->push_back(Bool(form.Visible())); return std::nullopt;
      case Property::kEnabled: lines->push_back(Bool(form.Enabled())); return std::nullopt;
      default: return name + " is a window; it has no such property";
    }
  }

  static Refusal ControlValue(Control& c, Property property, const std::string& name,
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
        return std::nullopt;
      case Property::kVisible: lines->push_back(Bool(c.Visible())); return std::nullopt;
      case Property::kEnabled: lines->push_back(Bool(c.Enabled())); return std::nullopt;
      case Property::kCaption: lines->push_back(c.Caption()); return std::nullopt;
      case Property::kToolTip: lines->push_back(c.ToolTipText()); return std::nullopt;
      case Property::kValue:
        if (check) number(check->Value());
        else if (bar) number(bar->Value());
        else return none + "value";
        return std::nullopt;
      case Property::kCount:
        if (list) number(list->ListCount());
        else if (view) number(view->Count());
        else if (combo) number(combo->ListCount());
        else if (strip) number(static_cast<int>(strip->Tabs().size()));
        else if (menu) number(static_cast<int>(menu->Items().size()));
        else return none + "count";
        return std::nullopt;
      case Property::kIndex:
        if (list) number(list->ListIndex());
        else if (view) number(view->SelectedIndex());
        else if (combo) number(combo->ListIndex());
        else if (strip) number(strip->SelectedIndex());
        else return none + "index";
        return std::nullopt;
      case Property::kChecked:
        if (list && list->HasCheckBoxes()) {
          for (int i = 0; i < list->ListCount(); ++i)
            if (list->Checked(i)) lines->push_back(list->List(i));
        } else if (view && view->HasCheckBoxes()) {
          for (int i = 0; i < view->Count(); ++i)
            if (view->ItemAt(i).checked) lines->push_back(viewRow(i));
        } else {
          return name + " has no check boxes";
        }
        return std::nullopt;
    }
    return std::nullopt;
  }

  ScriptTarget& target_;
  platform::ScriptedUi* ui_;
  std::ostream& out_;
};

}  // namespace

std::optional<std::string> ScriptSession::Run(std::string_view line) {
  std::optional<Command> command;
  if (Refusal r = Parse(line, &command)) return r;
  if (!command) return std::nullopt;
  try {
    return Executor(target_, ui_, out_).Execute(*command);
  } catch (const std::exception& e) {
    return std::string("the program failed: ") + e.what();
  }
}

bool ScriptSession::FormLoaded(const std::string& name) {
  if (!target_.Running()) return false;
  Form* form = target_.App()->FindForm(name);
  return form && form->Loaded();
}

void ScriptSession::CloseProgram() {
  if (!target_.Running()) return;
  target_.MainForm()->Unload();
  if (target_.Running()) target_.App()->End();
}

void ProgramTarget::Start(const std::string& commandLine) {
  started_ = true;
  program_.Start(commandLine);
}

bool ProgramTarget::Running() { return program_.Running(); }

toolkit::Application* ProgramTarget::App() {
  return started_ || program_.Running() ? &program_.app() : nullptr;
}

toolkit::Form* ProgramTarget::MainForm() {
  return program_.Running() ? &program_.Main().form() : nullptr;
}

int RunScript(app::Program& program, platform::ScriptedUi* ui, std::istream& script, VerbIo io) {
  ProgramTarget target(program);
  return RunScript(target, ui, script, io);
}

int RunScript(ScriptTarget& target, platform::ScriptedUi* ui, std::istream& script, VerbIo io) {
  ScriptSession session(target, ui, io.out);
  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Refusal r = session.Run(line)) {
      io.out.flush();
      io.err << "line " << number << ": " << *r << "\n";
      return kExitFailed;
    }
  }
  if (ui && ui->PendingAnswers() > 0)
    io.err << "note: " << ui->PendingAnswers()
           << (ui->PendingAnswers() == 1 ? " queued answer was" : " queued answers were")
           << " not asked for\n";
  return kExitOk;
}

}  // namespace vb::cli
