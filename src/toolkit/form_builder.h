// Builds a window from its tables, as a form designer's generated code does:
// one row per control (and per menu and menu item) with its kind, the frame
// or menu it sits in, caption, language keys, tooltip, design state and
// presentation, and a placement table. A row made with Bind<&View::member>
// creates the control with the member's type and binds it to that member, so
// that the window's code reaches every control through a typed member and a
// misspelt member fails to compile.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace vb::toolkit {

// Behaviour flags of a control, as a designer sets them.
enum ControlFlag : unsigned {
  kMultiLine = 1u << 0,   // text box
  kLocked = 1u << 1,      // text box: read-only
  kSorted = 1u << 2,      // list box: rows in alphabetical order
  kCheckBoxes = 1u << 3,  // list box or list view: a check mark on every row
  kDefault = 1u << 4,     // button: the form's default button
};

// What a row sets on its control. Designated initializers name the fields
// a row needs: {.name = "CleanCom", .caption = "&Run Cleaner", .key = 5}.
struct ControlSpec {
  const char* name;
  const char* container = nullptr;  // a frame, or a popup menu for its items
  const char* caption = "";
  int key = 0;  // the language-table entry that replaces the caption
  const char* toolTip = nullptr;
  int toolTipKey = 0;
  bool visible = true;
  bool enabled = true;
  int value = 0;  // a check box's design value
  Look look = Look::kPlain;
  FontRole font = FontRole::kNormal;
  Pointer pointer = Pointer::kDefault;
  unsigned flags = 0;
  std::vector<std::string> tabs = {};         // a tab strip's tabs
  std::vector<ListView::Column> columns = {};  // a list view's columns
};

template <class View>
struct ControlRow {
  Kind kind;
  Control& (*create)(Form& form, const std::string& name, Control* container);
  void (*bind)(View& view, Control& control);  // null: a control no code uses
  ControlSpec spec;
};

struct Placement {
  const char* name;
  Rect rect;
};

// A window's tables.
template <class View>
struct FormTable {
  const char* caption;
  int clientWidth;  // pixels
  int clientHeight;
  std::vector<ControlRow<View>> controls;
  std::vector<Placement> placements;
};

namespace detail {

template <class Member>
struct MemberOf;
template <class T, class View>
struct MemberOf<T* View::*> {
  using Control = T;
  using Owner = View;
};

template <class T>
Control& Create(Form& form, const std::string& name, Control* container) {
  if constexpr (std::is_same_v<T, MenuItem>) {
    auto* menu = dynamic_cast<Menu*>(container);
    if (!menu) throw std::logic_error("menu item " + name + " outside a menu");
    return form.AddMenuItem(*menu, name, "");
  } else {
    return form.Add<T>(name, container);
  }
}

// Applies a row to its new control: the design state, before any handler is
// wired, so that setting a check box's value fires nothing.
void Apply(Control& control, const ControlSpec& spec);
Control* Container(Form& form, const ControlSpec& spec);
void Place(Form& form, const std::vector<Placement>& placements);

}  // namespace detail

// A row bound to a member of the window's form class.
template <auto Member>
auto Bind(ControlSpec spec) {
  using T = typename detail::MemberOf<decltype(Member)>::Control;
  using View = typename detail::MemberOf<decltype(Member)>::Owner;
  return ControlRow<View>{T::kKind, &detail::Create<T>,
                          [](View& view, Control& control) {
                            view.*Member = &static_cast<T&>(control);
                          },
                          std::move(spec)};
}

// A row for a control that no code reaches (decoration, design-only labels).
template <class T, class View>
ControlRow<View> Unbound(ControlSpec spec) {
  return ControlRow<View>{T::kKind, &detail::Create<T>, nullptr, std::move(spec)};
}

// Creates every control of the table on the form, in table order, binds the
// rows' members and places the controls. A row naming a container that no
// earlier row made, two rows of one name, or a placement of no control is a
// fault of the table and throws std::logic_error.
template <class View>
void BuildForm(View& form, const FormTable<View>& table) {
  form.SetCaption(table.caption);
  form.SetClientSize(table.clientWidth, table.clientHeight);
  for (const ControlRow<View>& row : table.controls) {
    Control& control = row.create(form, row.spec.name, detail::Container(form, row.spec));
    detail::Apply(control, row.spec);
    if (row.bind) row.bind(form, control);
  }
  detail::Place(form, table.placements);
}

}  // namespace vb::toolkit
