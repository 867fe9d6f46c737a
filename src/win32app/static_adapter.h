// Labels, picture boxes and shapes: the native STATIC class. A picture box is
// owner-drawn with the program's artwork chosen by its look.
#pragma once

#include "win32app/control_adapter.h"

namespace vb::win32app {

class StaticAdapter : public ControlAdapter {
 public:
  StaticAdapter(toolkit::Control& control, const NativeParent& parent, int id);

  void Sync(toolkit::Property property) override;
  void Command(int code) override;
  bool Draw(const DRAWITEMSTRUCT& draw) override;
  bool Background() const override { return control().kind() == toolkit::Kind::kShape; }
};

}  // namespace vb::win32app
