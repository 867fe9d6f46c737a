// Push buttons, check boxes and frames: the native BUTTON class in its three
// styles.
#pragma once

#include "win32app/control_adapter.h"

namespace vb::win32app {

class ButtonAdapter : public ControlAdapter {
 public:
  ButtonAdapter(toolkit::Control& control, const NativeParent& parent, int id);

  void Sync(toolkit::Property property) override;
  void Command(int code) override;
  bool Background() const override { return control().kind() == toolkit::Kind::kFrame; }
};

}  // namespace vb::win32app
