// A window of the toolkit: its controls, caption, position and state, and the
// lifecycle events load and unload. A form shown owned by another disables its
// owner until it unloads, which enables the owner again.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/controls.h"

namespace vb::toolkit {

class Application;

enum class WindowState { kNormal = 0, kMinimized = 1, kMaximized = 2 };

class Form {
 public:
  Form(Application& app, std::string name);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  const std::string& name() const { return name_; }
  Application& app() const { return app_; }

  // Adds a control; names are unique within the form.
  template <class T>
  T& Add(const std::string& name, Control* container = nullptr) {
    auto control = std::make_unique<T>(*this, name, container);
    T& ref = *control;
    Register(std::move(control));
    return ref;
  }
  MenuItem& AddMenuItem(Menu& menu, const std::string& name, const std::string& caption);

  // The control of that name (letter case ignored), or null. For front ends
  // that address controls by name (a script); the program's own code reaches
  // controls through the typed members of its forms.
  [[nodiscard]] Control* Find(const std::string& name) const;
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The entry of the language table that replaces the caption; 0 for none.
  int CaptionKey() const { return captionKey_; }
  void SetCaptionKey(int key) { captionKey_ = key; }
  bool Visible() const { return visible_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // The size of the window's inside, in pixels at 96 DPI: what its controls
  // are laid out in.
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientSize(int width, int height);
  // A resizable window: the user may make it larger than its design size
  // (the client size when this is called), never smaller, and it opens at
  // the given size where the screen holds it.
  void SetResizable(int openWidth, int openHeight);
  bool Resizable() const { return openWidth_ > 0; }
  int MinClientWidth() const { return Resizable() ? minWidth_ : clientWidth_; }
  int MinClientHeight() const { return Resizable() ? minHeight_ : clientHeight_; }
  int OpenWidth() const { return Resizable() ? openWidth_ : clientWidth_; }
  int OpenHeight() const { return Resizable() ? openHeight_ : clientHeight_; }
  // The user resized the window: its client size, no smaller than the
  // design size, and each control moved and sized by its anchors.
  void Resize(int width, int height);
  // Position and size in twips.
  float Left() const { return left_; }
  float Top() const { return top_; }
  void Move(float left, float top);
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  WindowState State() const { return state_; }
  void SetState(WindowState state);

  bool Loaded() const { return loaded_; }
  // Runs the load handler once, without showing the window.
  void Load();
  void Show();
  // Shows the form owned by owner, which stays disabled until this form unloads.
  void ShowOwned(Form& owner);
  void Hide();
  // Runs the unload handler, enables its owner and hides the form.
  void Unload();
  Form* Owner() const { return owner_; }

  Button* DefaultButton() const { return default_; }
  void SetDefaultButton(Button* button);
  // Opens a popup menu at the mouse position; the renderer shows it and the
  // user's choice arrives as the item's click.
  void PopupMenu(Menu& menu);
  Menu* OpenPopup() const { return popup_; }
  void ClosePopup();

  std::function<void()> onLoad;
  std::function<void()> onUnload;

  // Told of every change of the form (control null) or of one of its controls.
  using Observer = std::function<void(Form& form, Control* control, Property property)>;
  void AddObserver(Observer observer) { observers_.push_back(std::move(observer)); }
  void Notify(Control* control, Property property);

 private:
  void Register(std::unique_ptr<Control> control);
  void SetVisible(bool visible);

  Application& app_;
  std::string name_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Observer> observers_;
  std::string caption_;
  int captionKey_ = 0;
  bool visible_ = false;
  bool enabled_ = true;
  bool loaded_ = false;
  float left_ = 0;
  float top_ = 0;
  int width_ = 0;
  int height_ = 0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  int minWidth_ = 0;
  int minHeight_ = 0;
  int openWidth_ = 0;
  int openHeight_ = 0;
  WindowState state_ = WindowState::kNormal;
  Form* owner_ = nullptr;
  Button* default_ = nullptr;
  Menu* popup_ = nullptr;
};

}  // namespace vb::toolkit
