// Message boxes, the common dialogs, the folder picker and cursors over
// user32, comdlg32, shell32 and comctl32.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/win32_platform.h"

namespace vb::win32 {

namespace {

std::string FileDialogResult(const platform::FileDialog& dialog, bool save) {
  std::string filter = DialogFilter(dialog.filter);
  std::vector<char> name(32768, '\0');
  dialog.fileName.copy(name.data(), name.size() - 1);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = dialog.initialFolder.empty() ? nullptr : dialog.initialFolder.c_str();
  ofn.lpstrTitle = dialog.title.empty() ? nullptr : dialog.title.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  BOOL chosen = save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
  return chosen ? std::string(name.data()) : std::string();
}

}  // namespace

std::string DialogFilter(const std::string& filter) {
  if (filter.empty()) return std::string();
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

int Win32UserInterface::MessageBoxA(const std::string& text, const std::string& caption,
                                    win::DWORD style) {
  return ::MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), style);
}

std::string Win32UserInterface::GetOpenFileNameA(const platform::FileDialog& dialog) {
  return FileDialogResult(dialog, false);
}

std::string Win32UserInterface::GetSaveFileNameA(const platform::FileDialog& dialog) {
  return FileDialogResult(dialog, true);
}

std::string Win32UserInterface::BrowseForFolder(const std::string& title) {
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  char display[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = GetActiveWindow();
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  std::string chosen;
  if (LPITEMIDLIST list = SHBrowseForFolderA(&info)) {
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(list, path)) chosen = path;
    CoTaskMemFree(list);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

void Win32UserInterface::SetCursor(platform::Cursor cursor) {
  LPCSTR id = cursor == platform::Cursor::kWait   ? IDC_WAIT
              : cursor == platform::Cursor::kHand ? IDC_HAND
                                                  : IDC_ARROW;
  ::SetCursor(LoadCursorA(nullptr, id));
}

void Win32UserInterface::YieldToEvents() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool Win32UserInterface::InitCommonControlsEx(win::DWORD size, win::DWORD classes) {
  INITCOMMONCONTROLSEX init = {};
  init.dwSize = size ? size : sizeof init;
  init.dwICC = classes;
  return ::InitCommonControlsEx(&init) != FALSE;
}

}  // namespace vb::win32
