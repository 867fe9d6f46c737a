// The modal user-interface services: message boxes, file and folder dialogs,
// cursors.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace vb::platform {

using namespace vb::win;

struct FileDialog {
  std::string title;
  std::string filter;  // "Text Files (*.txt)|*.txt", with "|" separators
  std::string initialFolder;
  std::string fileName;
};

enum class Cursor { kDefault, kWait, kHand };

class UserInterfaceApi {
 public:
  virtual ~UserInterfaceApi() = default;

  // Returns kIdOk, kIdCancel, kIdYes or kIdNo.
  virtual int MessageBoxA(const std::string& text, const std::string& caption, DWORD style) = 0;
  // The chosen path, or empty when the dialog was cancelled.
  [[nodiscard]] virtual std::string GetOpenFileNameA(const FileDialog& dialog) = 0;
  [[nodiscard]] virtual std::string GetSaveFileNameA(const FileDialog& dialog) = 0;
  // SHBrowseForFolder with SHGetPathFromIDList: the chosen folder or empty.
  [[nodiscard]] virtual std::string BrowseForFolder(const std::string& title) = 0;
  virtual void SetCursor(Cursor cursor) = 0;
  // Lets pending window messages be processed.
  virtual void YieldToEvents() {}
  // Registers the common control classes (INITCOMMONCONTROLSEX: size, classes).
  virtual bool InitCommonControlsEx(DWORD /*size*/, DWORD /*classes*/) { return true; }
};

}  // namespace vb::platform
