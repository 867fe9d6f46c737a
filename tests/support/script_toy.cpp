#include "support/script_toy.h"

#include <stdexcept>

namespace vb::test {

using namespace toolkit;

void Toy::Build() {
  Form& f = NewForm("Form1");
  main_ = &f;
  f.SetCaption("Toy");
  f.onUnload = [this] { Log("unload Form1"); };
  auto& go = f.Add<Button>("Go");
  go.SetCaption("&Go");
  go.onClick = [this] { Log("Go"); };
  go.onKeyDown = [this](int code) { Log("key " + std::to_string(code)); };
  f.Add<Button>("Off").SetEnabled(false);
  auto& frame = f.Add<Frame>("Frame1");
  frame.SetVisible(false);
  f.Add<Button>("Inner", &frame);
  auto& opt = f.Add<CheckBox>("Opt");
  opt.SetCaption("Option");
  opt.onClick = [this, &opt] { Log("Opt " + std::to_string(opt.Value())); };
  auto& text = f.Add<TextBox>("Text1");
  text.SetText("one\r\ntwo\r\n");
  text.onChange = [this, &text] { Log("Text1 " + text.Text()); };
  f.Add<TextBox>("Locked").SetLocked(true);
  auto& list = f.Add<ListBox>("List1");
  list.SetCheckBoxes(true);
  list.AddItem("Alpha");
  list.AddItem("Beta");
  list.onItemCheck = [this, &list](int i) {
    Log("check " + list.List(i) + (list.Checked(i) ? " on" : " off"));
  };
  list.onClick = [this, &list] { Log("List1 click " + std::to_string(list.ListIndex())); };
  f.Add<ListBox>("Plain").AddItem("x");
  auto& view = f.Add<ListView>("View1");
  view.SetCheckBoxes(true);
  view.Add("Temp", {"12 KB", "C:\\Temp"});
  view.Add("Cookies", {"3 KB"});
  view.onItemClick = [this](int i) { Log("View1 item " + std::to_string(i)); };
  auto& combo = f.Add<ComboBox>("Combo1");
  combo.AddItem("One");
  combo.AddItem("Two");
  combo.onClick = [this, &combo] { Log("Combo1 " + combo.Text()); };
  auto& tabs = f.Add<TabStrip>("Tabs");
  tabs.SetTabs({"&General", "Advanced"});
  tabs.onClick = [this, &tabs] { Log("tab " + std::to_string(tabs.SelectedIndex())); };
  f.Add<ProgressBar>("Bar").SetValue(40);
  auto& label = f.Add<Label>("Label1");
  label.SetCaption("Ready");
  label.SetToolTipText("status");
  auto& menu = f.Add<Menu>("mnuPop");
  menu.SetVisible(false);
  f.AddMenuItem(menu, "mnuOpen", "&Open").onClick = [this] { Log("Open"); };
  f.AddMenuItem(menu, "mnuSep", "-");
  f.AddMenuItem(menu, "mnuGone", "Gone").SetEnabled(false);
  auto& pop = f.Add<Button>("Pop");
  pop.onMouseDown = [&f, &menu](MouseButton b, int, int) {
    if (b == MouseButton::kRight) f.PopupMenu(menu);
  };
  f.Add<Button>("ShowWarn").onClick = [this, &f] {
    Form& w = NewForm("Warning");
    w.SetCaption("Warning");
    w.Add<Button>("OKButton").onClick = [this, &w] {
      Log("OK");
      w.Unload();
    };
    w.ShowOwned(f);
    f.SetEnabled(false);
  };
  f.Add<Button>("Ask").onClick = [this] {
    int answer = platform_.Ui().MessageBoxA("Sure?", "Toy", win::kMbYesNo);
    Log(answer == win::kIdYes ? "yes" : "no");
  };
  f.Add<Button>("Quit").onClick = [this] { app_->End(); };
  f.Add<Button>("Broken").onClick = [] { throw std::logic_error("no control Foo"); };
}

}  // namespace vb::test
