// Progress bars: the native progress control over 0 to 100.
#pragma once

#include "win32app/control_adapter.h"

namespace vb::win32app {

class ProgressAdapter : public ControlAdapter {
 public:
  ProgressAdapter(toolkit::Control& control, const NativeParent& parent, int id);

  void Sync(toolkit::Property property) override;
};

}  // namespace vb::win32app
