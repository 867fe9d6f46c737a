#include "toolkit/form.h"

#include <algorithm>

#include "platform/ascii_case.h"
#include "toolkit/application.h"

namespace vb::toolkit {

Form::Form(Application& app, std::string name) : app_(app), name_(std::move(name)) {
  app_.Added(*this);
}

Form::~Form() { app_.Removed(*this); }

void Form::Register(std::unique_ptr<Control> control) {
  if (Find(control->name()))
    throw std::logic_error("two controls named " + control->name() + " on " + name_);
  controls_.push_back(std::move(control));
}

MenuItem& Form::AddMenuItem(Menu& menu, const std::string& name, const std::string& caption) {
  MenuItem& item = Add<MenuItem>(name, &menu);
  item.SetCaption(caption);
  menu.Items().push_back(&item);
  return item;
}

Control* Form::Find(const std::string& name) const {
  for (const auto& c : controls_)
    if (platform::EqualsIgnoringCase(c->name(), name)) return c.get();
  return nullptr;
}

void Form::Notify(Control* control, Property property) {
  for (const Observer& o : observers_) o(*this, control, property);
}

void Form::SetCaption(const std::string& caption) {
  caption_ = caption;
  Notify(nullptr, Property::kCaption);
}

void Form::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify(nullptr, Property::kVisible);
}

void Form::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(nullptr, Property::kEnabled);
}

void Form::Move(float left, float top) {
  left_ = left;
  top_ = top;
  Notify(nullptr, Property::kPosition);
}

void Form::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
  Notify(nullptr, Property::kPosition);
}

void Form::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  Notify(nullptr, Property::kPosition);
}

void Form::SetResizable(int openWidth, int openHeight) {
  minWidth_ = clientWidth_;
  minHeight_ = clientHeight_;
  openWidth_ = std::max(openWidth, minWidth_);
  openHeight_ = std::max(openHeight, minHeight_);
}

void Form::Resize(int width, int height) {
  if (!Resizable()) return;
  width = std::max(width, minWidth_);
  height = std::max(height, minHeight_);
  const int dx = width - clientWidth_, dy = height - clientHeight_;
  if (dx == 0 && dy == 0) return;
  clientWidth_ = width;
  clientHeight_ = height;
  for (const auto& control : controls_) {
    const unsigned anchors = control->Anchors();
    if (anchors == kFixed) continue;
    Rect r = control->Position();
    if (anchors & kFollowRight) r.left += dx;
    if (anchors & kFollowBottom) r.top += dy;
    if (anchors & kGrowWide) r.width += dx;
    if (anchors & kGrowTall) r.height += dy;
    control->SetPosition(r);
  }
  Notify(nullptr, Property::kPosition);
}

void Form::SetState(WindowState state) {
  state_ = state;
  Notify(nullptr, Property::kPosition);
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (onLoad) onLoad();
}

void Form::Show() {
  Load();
  if (app_.Ended() || !loaded_) return;
  SetVisible(true);
}

void Form::ShowOwned(Form& owner) {
  owner_ = &owner;
  Show();
}

void Form::Hide() { SetVisible(false); }

void Form::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  if (onUnload) onUnload();
  popup_ = nullptr;
  // The owner is enabled before this form hides, so that the window system
  // has a window of the program to activate.
  if (owner_) {
    owner_->SetEnabled(true);
    owner_ = nullptr;
  }
  SetVisible(false);
}

void Form::SetDefaultButton(Button* button) {
  default_ = button;
  Notify(button, Property::kDefaultButton);
}

void Form::PopupMenu(Menu& menu) {
  popup_ = &menu;
  Notify(&menu, Property::kVisible);
}

void Form::ClosePopup() { popup_ = nullptr; }

}  // namespace vb::toolkit
