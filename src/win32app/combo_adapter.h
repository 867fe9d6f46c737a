// Combo boxes: the native COMBOBOX with an edit field and a drop-down list.
#pragma once

#include "win32app/control_adapter.h"

namespace vb::win32app {

class ComboAdapter : public ControlAdapter {
 public:
  ComboAdapter(toolkit::Control& control, const NativeParent& parent, int id);

  void Sync(toolkit::Property property) override;
  void Command(int code) override;
};

}  // namespace vb::win32app
