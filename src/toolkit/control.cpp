#include "toolkit/control.h"

#include "toolkit/form.h"

namespace vb::toolkit {

Control::Control(Form& form, Kind kind, std::string name, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), container_(container) {}

void Control::Notify(Property property) { form_.Notify(this, property); }

void Control::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Notify(Property::kCaption);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify(Property::kVisible);
}

bool Control::Shown() const {
  // A menu item is seen while its popup menu is open.
  if (kind_ == Kind::kMenuItem) return visible_ && form_.OpenPopup() == container_;
  for (const Control* c = this; c; c = c->container_)
    if (!c->visible_) return false;
  return form_.Visible();
}

bool Control::Usable() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->enabled_) return false;
  return Shown() && form_.Enabled();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(Property::kEnabled);
}

void Control::SetToolTipText(const std::string& text) {
  if (text == toolTip_) return;
  toolTip_ = text;
  Notify(Property::kToolTip);
}

void Control::SetPosition(const Rect& position) {
  position_ = position;
  Notify(Property::kPosition);
}

void Control::SetLook(Look look) {
  if (look == look_) return;
  look_ = look;
  Notify(Property::kCaption);
}

void Control::UserClick() { FireClick(); }

void Control::UserMouseDown(MouseButton button, int x, int y) {
  if (onMouseDown) onMouseDown(button, x, y);
}

void Control::UserMouseMove(int x, int y) {
  if (onMouseMove) onMouseMove(x, y);
}

void Control::UserKeyDown(int keyCode) {
  if (onKeyDown) onKeyDown(keyCode);
}

}  // namespace vb::toolkit
