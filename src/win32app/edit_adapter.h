// Text boxes: the native EDIT class, single or multi-line, read-only when
// locked. The right button reaches the model instead of the system's own edit
// menu.
#pragma once

#include "win32app/control_adapter.h"

namespace vb::win32app {

class EditAdapter : public ControlAdapter {
 public:
  EditAdapter(toolkit::Control& control, const NativeParent& parent, int id);

  void Sync(toolkit::Property property) override;
  void Command(int code) override;
};

}  // namespace vb::win32app
