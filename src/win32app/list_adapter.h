// List views and list boxes: the native report-mode list view. A list view
// shows its columns with their headers and each row's sub-items; one without
// columns, and every list box, shows its texts in one column as wide as
// itself, without a header. Rows carry check marks where the model has them.
#pragma once

#include <vector>

#include "toolkit/controls.h"
#include "win32app/control_adapter.h"

namespace vb::win32app {

class ListAdapter : public ControlAdapter {
 public:
  ListAdapter(toolkit::Control& control, const NativeParent& parent, int id);

  void Sync(toolkit::Property property) override;
  void Notify(const NMHDR& header) override;
  void Rescale() override;

 private:
  // One row of the model, whichever of the two kinds holds it.
  struct Row {
    const std::string& text;
    const std::vector<std::string>& subItems;
    bool checked;
  };
  int Count() const;
  Row RowAt(int index) const;
  int Selected() const;
  bool HasCheckMarks() const;

  void SyncColumns();
  void Fill();
  void SyncStates();
  void SetCheckMark(int index, bool checked);

  std::vector<toolkit::ListView::Column> columns_;  // the columns the native control has
};

}  // namespace vb::win32app
