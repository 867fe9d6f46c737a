// Builds a window from its table, as a form designer's generated code does:
// one row per control (and per menu and menu item) with its kind, the frame
// or menu it sits in, its place, caption, language keys, tooltip, design
// state and presentation, so that each control's name is written once, in
// its row. A row made with Bind<&View::member>
// creates the control with the member's type and binds it to that member, so
// that the window's code reaches every control through a typed member and a
// misspelt member fails to compile.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <type_traits>
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
  kNoWrap = 1u << 5,      // multi-line text box: long lines scroll sideways, never wrap
};

// What a row sets on its control. Designated initializers name the fields
// a row needs: {.name = "CleanCom", .caption = "&Run Cleaner", .key = 5}.
struct ControlSpec {
  const char* name;
  const char* container = nullptr;  // a frame, or a popup menu for its items
  // Where the control sits: pixels at 96 DPI in the window's client area.
  // Menus and controls that are never shown have none (an empty rectangle).
  Rect at = {};
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
  unsigned anchors = kFixed;  // how it follows a resizable window (Anchor)
  unsigned flags = 0;
  std::vector<std::string> tabs = {};         // a tab strip's tabs
  std::vector<int> tabKeys = {};              // and the entries that replace their captions
  std::vector<ListView::Column> columns = {};  // a list view's columns
};

template <class View>
struct ControlRow {
  Kind kind;
  Control& (*create)(Form& form, const std::string& name, Control* container);
  void (*bind)(View& view, Control& control);  // null: a control no code uses
  ControlSpec spec;
};

// A window's table.
template <class View>
struct FormTable {
  const char* name;  // the form's name, by which a script names the window
  const char* caption;
  int captionKey = 0;  // the language-table entry that replaces the caption
  int clientWidth;     // pixels: the design size
  int clientHeight;
  std::vector<ControlRow<View>> controls;
  // A window the user may resize opens this large; none: a fixed window.
  int openWidth = 0;
  int openHeight = 0;
};

// A window's table seen without its form class, for what walks every window:
// its rows, and the building of a new form from them.
struct WindowTable {
  const char* name;
  struct Row {
    Kind kind;
    const ControlSpec& spec;
  };
  std::vector<Row> rows;
  std::unique_ptr<Form> (*build)(Application& app);
};

namespace detail {

template <class Member>
struct MemberOf;
template <class T, class View>
struct MemberOf<T* View::*> {
  using Control = T;
  using Owner = View;
};
template <class T, std::size_t N, class View>
struct MemberOf<std::array<T*, N> View::*> {
  using Control = std::array<T*, N>;
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
// Sets the control's place, when its row gives one.
void Place(Control& control, const ControlSpec& spec);

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

// A row bound to element I of an array member (std::array<T*, N> View::*),
// for controls made from a table of their own.
template <auto Member, std::size_t I>
auto BindElement(ControlSpec spec) {
  using Array = typename detail::MemberOf<decltype(Member)>::Control;
  using T = std::remove_pointer_t<typename Array::value_type>;
  using View = typename detail::MemberOf<decltype(Member)>::Owner;
  return ControlRow<View>{T::kKind, &detail::Create<T>,
                          [](View& view, Control& control) {
                            std::get<I>(view.*Member) = &static_cast<T&>(control);
                          },
                          std::move(spec)};
}

// A row for a control that no code reaches (decoration, design-only labels).
template <class T, class View>
ControlRow<View> Unbound(ControlSpec spec) {
  return ControlRow<View>{T::kKind, &detail::Create<T>, nullptr, std::move(spec)};
}

// Creates every control of the table on the form, in table order, binds the
// rows' members, then places the controls. A row naming a container that no
// earlier row made, or two rows of one name, is a fault of the table and
// throws std::logic_error.
template <class View>
void BuildForm(View& form, const FormTable<View>& table) {
  form.SetCaption(table.caption);
  form.SetCaptionKey(table.captionKey);
  form.SetClientSize(table.clientWidth, table.clientHeight);
  if (table.openWidth > 0) form.SetResizable(table.openWidth, table.openHeight);
  std::vector<Control*> made;
  for (const ControlRow<View>& row : table.controls) {
    Control& control = row.create(form, row.spec.name, detail::Container(form, row.spec));
    detail::Apply(control, row.spec);
    if (row.bind) row.bind(form, control);
    made.push_back(&control);
  }
  for (std::size_t i = 0; i < made.size(); ++i) detail::Place(*made[i], table.controls[i].spec);
}

// The table of a window whose form class View builds itself from it.
template <class View>
WindowTable Describe(const FormTable<View>& table) {
  WindowTable any{table.name, {}, [](Application& app) -> std::unique_ptr<Form> {
                    return std::make_unique<View>(app);
                  }};
  for (const ControlRow<View>& row : table.controls) any.rows.push_back({row.kind, row.spec});
  return any;
}

}  // namespace vb::toolkit
