// Tab strips: the native tab control. It lies under the controls of its pages.
#pragma once

#include "win32app/control_adapter.h"

namespace vb::win32app {

class TabAdapter : public ControlAdapter {
 public:
  TabAdapter(toolkit::Control& control, const NativeParent& parent, int id);

  void Sync(toolkit::Property property) override;
  void Notify(const NMHDR& header) override;
  bool Background() const override { return true; }
};

}  // namespace vb::win32app
