#include "personal/text_saving.h"

namespace vb::personal {

bool WriteTextFile(platform::Platform& platform, const std::string& path, const std::string& text) {
  if (platform.Files().WriteFileBytes(path, text) == win::kErrorSuccess) return true;
  platform.Ui().MessageBoxA("The file " + path + " could not be written.", "Vanbrisk",
                            win::kMbIconExclamation);
  return false;
}

void SaveResultsText(platform::Platform& platform, const toolkit::TextBox& text,
                     const std::string& proposedName) {
  std::string path = platform.Ui().GetSaveFileNameA({.title = "Save As",
                                                     .filter = "Text Files (*.txt)|*.txt",
                                                     .initialFolder = "",
                                                     .fileName = proposedName});
  if (!path.empty()) (void)WriteTextFile(platform, path, text.Text() + "\r\n");
}

void SaveLogLines(platform::Platform& platform, const toolkit::ListBox& list) {
  std::string path = platform.Ui().GetSaveFileNameA({.title = "Save As",
                                                     .filter = "Log Files (*.log)|*.log",
                                                     .initialFolder = "",
                                                     .fileName = ""});
  if (path.empty()) return;
  std::string text;
  for (int i = 0; i < list.ListCount(); ++i) text += list.List(i) + "\r\n";
  (void)WriteTextFile(platform, path, text + "\r\n");
}

}  // namespace vb::personal
