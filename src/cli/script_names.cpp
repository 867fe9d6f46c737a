#include "cli/script_names.h"

#include "toolkit/application.h"

namespace vb::cli::script {

using toolkit::Control;
using toolkit::Form;
using toolkit::Kind;

Result<> Resolve(ScriptTarget& target, const std::string& name, Named* named) {
  toolkit::Application* app = target.App();
  std::size_t dot = name.find('.');
  if (dot != std::string::npos) {
    std::string formName = name.substr(0, dot);
    Form* form = app->FindForm(formName);
    if (!form && app->EverCreated(formName))
      return Fail("the window " + formName + " is closed");
    if (!form) return Fail("unknown window " + formName);
    Control* control = form->Find(name.substr(dot + 1));
    if (!control) return Fail("unknown name " + name);
    *named = Named{form, control};
    return {};
  }
  if (Form* main = target.MainForm())
    if (Control* control = main->Find(name)) {
      *named = Named{main, control};
      return {};
    }
  if (Form* form = app->FindForm(name)) {
    *named = Named{form, nullptr};
    return {};
  }
  if (app->EverCreated(name)) return Fail("the window " + name + " is closed");
  return Fail("unknown name " + name);
}

Result<> Reachable(const Named& named, const std::string& name) {
  Form& form = *named.form;
  std::string windowName = named.control ? form.name() : name;
  if (!form.Loaded()) return Fail(windowName + " is not loaded");
  if (!form.Visible()) return Fail(windowName + " is hidden");
  if (!form.Enabled()) return Fail(windowName + " is disabled");
  for (Control* c = named.control; c; c = c->container()) {
    std::string who = c == named.control ? name : name + " is in " + c->name() + ", which";
    if (c->kind() == Kind::kMenu) {
      if (form.OpenPopup() != c && !c->Visible()) return Fail(who + " is not open");
      if (!c->Enabled()) return Fail(who + " is disabled");
      break;
    }
    if (!c->Visible()) return Fail(who + " is hidden");
    if (!c->Enabled()) return Fail(who + " is disabled");
  }
  return {};
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

}  // namespace vb::cli::script
