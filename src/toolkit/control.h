// The controls of the window toolkit as plain objects: the properties the
// program reads and sets and the events it handles, drawn by nobody. A
// renderer observes the form that holds them and feeds the user's input back
// as events.
#pragma once

#include <functional>
#include <string>

namespace vb::toolkit {

class Form;

enum class Kind {
  kLabel,
  kFrame,
  kButton,
  kCheckBox,
  kPictureBox,
  kTextBox,
  kListBox,
  kListView,
  kComboBox,
  kTabStrip,
  kProgressBar,
  kMenu,
  kMenuItem,
  kShape,
};

// What changed, for observers.
enum class Property {
  kCaption,
  kText,
  kValue,
  kVisible,
  kEnabled,
  kToolTip,
  kItems,
  kSelection,
  kPosition,
  kDefaultButton,  // the form's default button changed (control: the new one, or null)
};

// How a control is drawn, beyond its kind: set once from the window's table,
// so that a renderer never guesses it from a name.
enum class Look {
  kPlain,
  kPageButton,          // a page button in its normal look
  kPageButtonSelected,  // a page button in the look of the current page
  kLogo,                // the program's logo
  kBanner,              // the banner text at the top of the main window
};

// The font a control is drawn with: the window's font (Tahoma 8.25 pt), a
// bold Arial for the arrow buttons, or the banner's large type.
enum class FontRole { kNormal, kSymbol, kBanner };

// The mouse pointer over a control. A control with the hand pointer sets it
// itself in its mouse-move handler; the renderer leaves the cursor to it.
enum class Pointer { kDefault, kHand };

enum class MouseButton { kLeft = 1, kRight = 2, kMiddle = 4 };

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// How a control follows a resizable window's client area: without a flag it
// keeps its place and size; each flag makes it follow the window's growth
// beyond its design size in one way.
enum Anchor : unsigned {
  kFixed = 0,
  kFollowRight = 1u << 0,   // moves right as the window widens
  kFollowBottom = 1u << 1,  // moves down as the window grows taller
  kGrowWide = 1u << 2,      // widens with the window
  kGrowTall = 1u << 3,      // grows taller with the window
  kGrow = kGrowWide | kGrowTall,
};

class Control {
 public:
  Control(Form& form, Kind kind, std::string name, Control* container);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  Form& form() const { return form_; }
  // The frame (or, for null, the form itself) the control sits in.
  Control* container() const { return container_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Whether the user sees it: it, every frame it sits in, and its form visible.
  bool Shown() const;
  // Whether the user can use it: shown, and it, its frames and its form enabled.
  bool Usable() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const std::string& ToolTipText() const { return toolTip_; }
  void SetToolTipText(const std::string& text);
  const Rect& Position() const { return position_; }
  void SetPosition(const Rect& position);
  Look GetLook() const { return look_; }
  void SetLook(Look look);
  FontRole Font() const { return font_; }
  void SetFont(FontRole font) { font_ = font; }
  Pointer MousePointer() const { return pointer_; }
  void SetMousePointer(Pointer pointer) { pointer_ = pointer; }
  unsigned Anchors() const { return anchors_; }
  void SetAnchors(unsigned anchors) { anchors_ = anchors; }
  // The entries of the language table that replace the caption and the
  // tooltip; 0 for none.
  int CaptionKey() const { return captionKey_; }
  int ToolTipKey() const { return toolTipKey_; }
  void SetLanguageKeys(int caption, int toolTip) {
    captionKey_ = caption;
    toolTipKey_ = toolTip;
  }

  // Events, set by the window that owns the control.
  std::function<void()> onClick;
  std::function<void(MouseButton button, int x, int y)> onMouseDown;
  std::function<void(int x, int y)> onMouseMove;
  std::function<void(int keyCode)> onKeyDown;

  // What the user (or a script standing in for him) does to the control.
  // A click on a check box toggles it, which fires its click handler.
  virtual void UserClick();
  void UserMouseDown(MouseButton button, int x = 0, int y = 0);
  void UserMouseMove(int x = 0, int y = 0);
  void UserKeyDown(int keyCode);

 protected:
  void Notify(Property property);
  void FireClick() {
    if (onClick) onClick();
  }

 private:
  Form& form_;
  Kind kind_;
  std::string name_;
  Control* container_;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string toolTip_;
  Rect position_;
  Look look_ = Look::kPlain;
  FontRole font_ = FontRole::kNormal;
  Pointer pointer_ = Pointer::kDefault;
  unsigned anchors_ = kFixed;
  int captionKey_ = 0;
  int toolTipKey_ = 0;
};

}  // namespace vb::toolkit
