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
  kFont,
};

enum class MouseButton { kLeft = 1, kRight = 2, kMiddle = 4 };

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
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
  const std::string& FontName() const { return fontName_; }
  void SetFontName(const std::string& font);

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
  std::string fontName_ = "Tahoma";
};

}  // namespace vb::toolkit
