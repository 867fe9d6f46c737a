// Drives vanbrisk.exe through the window system as a user would: finds the
// main window and its controls, switches every page, ticks items, analyzes,
// runs the cleaner through the first-clean warning, resizes the window, and
// checks quiet mode and the scaling to the screen's DPI. It carries the
// program's manifest, so that it sees the windows' real pixels.
// With a folder argument it waits at each page for a screenshot: it writes
// NAME.ready there and goes on when NAME.done appears.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int passed = 0, failed = 0;

void Check(bool ok, const std::string& what) {
  if (ok) {
    ++passed;
  } else {
    ++failed;
    std::printf("FAILED: %s\n", what.c_str());
  }
  std::fflush(stdout);
}

std::string Text(HWND hwnd) {
  char buffer[65536] = {};
  SendMessageA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

// The child with that text; visibleOnly: only one the user sees.
HWND Child(HWND parent, const std::string& text, bool visibleOnly = true) {
  for (HWND child : Children(parent))
    if (Text(child) == text && (!visibleOnly || IsWindowVisible(child))) return child;
  return nullptr;
}

HWND WaitForWindow(const char* caption, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    if (HWND w = FindWindowA("VanbriskForm", caption)) return w;
    Sleep(100);
  }
  return nullptr;
}

void Screenshot(const std::string& folder, const std::string& name) {
  if (folder.empty()) return;
  std::string ready = folder + "\\" + name + ".ready", done = folder + "\\" + name + ".done";
  CloseHandle(CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  for (int i = 0; i < 300 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(100);
}

void Pump() {
  // Let the program paint and settle.
  Sleep(300);
}

// Clicks a page button: the visible picture box with that caption.
void ChoosePage(HWND main, const std::string& caption) {
  for (HWND child : Children(main))
    if (Text(child) == caption && IsWindowVisible(child) && ClassOf(child) == "Static") {
      SendMessageA(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), STN_CLICKED),
                   reinterpret_cast<LPARAM>(child));
      return;
    }
}

void SetCheck(HWND main, const std::string& caption, bool on) {
  HWND box = Child(main, caption);
  Check(box != nullptr, "check box " + caption + " found");
  if (!box) return;
  if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != on) SendMessageA(box, BM_CLICK, 0, 0);
  Check((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == on, caption + " set");
}

PROCESS_INFORMATION Launch(const std::string& exe, const std::string& args) {
  std::string line = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    std::printf("cannot start %s (error %lu)\n", line.c_str(), GetLastError());
  return pi;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

RECT Bounds(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

// The DPI the program draws the window at (GetDpiForWindow, which Windows 7
// lacks: the screen's DPI there).
int WindowDpi(HWND hwnd) {
  using ForWindow = UINT(WINAPI*)(HWND);
  auto forWindow = reinterpret_cast<ForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (forWindow) return static_cast<int>(forWindow(hwnd));
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// The visible static control whose text starts with prefix.
HWND Label(HWND parent, const std::string& prefix) {
  for (HWND child : Children(parent))
    if (ClassOf(child) == "Static" && IsWindowVisible(child) && Text(child).rfind(prefix, 0) == 0)
      return child;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  std::string shots = argc > 1 ? argv[1] : "";
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self);
  folder = folder.substr(0, folder.find_last_of('\\'));
  std::string exe = folder + "\\vanbrisk.exe";

  // The icon its windows load, for the title bar, the taskbar and Alt+Tab.
  if (HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
    Check(FindResourceA(image, "APPICON", reinterpret_cast<LPCSTR>(RT_GROUP_ICON)) != nullptr,
          "vanbrisk.exe carries its icon");
    FreeLibrary(image);
  } else {
    Check(false, "vanbrisk.exe opens as an image");
  }

  // Quiet mode: no window, and the program ends by itself.
  PROCESS_INFORMATION quiet = Launch(exe, "/AUTO");
  bool windowSeen = false;
  DWORD waited = WAIT_TIMEOUT;
  for (int i = 0; i < 300 && waited == WAIT_TIMEOUT; ++i) {
    windowSeen = windowSeen || FindWindowA("VanbriskForm", nullptr) != nullptr;
    waited = WaitForSingleObject(quiet.hProcess, 100);
  }
  Check(waited == WAIT_OBJECT_0, "/AUTO ends by itself");
  Check(!windowSeen, "/AUTO shows no window");
  if (waited != WAIT_OBJECT_0) TerminateProcess(quiet.hProcess, 1);
  CloseHandle(quiet.hProcess);
  CloseHandle(quiet.hThread);

  // A file for System Temporary to find and delete.
  char root[MAX_PATH] = {};
  GetEnvironmentVariableA("SystemRoot", root, MAX_PATH);
  std::string temp = std::string(root) + "\\Temp\\vanbrisk-gui";
  CreateDirectoryA(temp.c_str(), nullptr);
  std::string victim = temp + "\\leftover.tmp";
  HANDLE f = CreateFileA(victim.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, "gui test data", 13, &written, nullptr);
  CloseHandle(f);

  // A catalogue application for the Applications page to list: Google Earth's
  // key, and its cache file, which Analyze measures.
  HKEY earth = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Google\\Google Earth Plus", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &earth, nullptr) == ERROR_SUCCESS)
    RegCloseKey(earth);
  char appData[MAX_PATH] = {};
  GetEnvironmentVariableA("AppData", appData, MAX_PATH);
  std::string earthFolder = std::string(appData) + "\\Google";
  CreateDirectoryA(earthFolder.c_str(), nullptr);
  earthFolder += "\\GoogleEarth";
  CreateDirectoryA(earthFolder.c_str(), nullptr);
  HANDLE cache = CreateFileA((earthFolder + "\\cache.dat").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
  WriteFile(cache, "earth cache", 11, &written, nullptr);
  CloseHandle(cache);

  // Google Chrome with one profile, for the Internet tab of the Applications page.
  char localAppData[MAX_PATH] = {};
  GetEnvironmentVariableA("LOCALAPPDATA", localAppData, MAX_PATH);
  std::string chrome = localAppData;
  for (const char* name : {"\\Google", "\\Chrome", "\\User Data", "\\Default"})
    CreateDirectoryA((chrome += name).c_str(), nullptr);

  // A stored position off every monitor: the window must come back on screen.
  HKEY settings = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VB And VBA Program Settings\\Vanbrisk\\Settings",
                      0, nullptr, 0, KEY_SET_VALUE, nullptr, &settings, nullptr) == ERROR_SUCCESS) {
    const char offScreen[] = "-600000";
    RegSetValueExA(settings, "WINDOW_LEFT", 0, REG_SZ, reinterpret_cast<const BYTE*>(offScreen), sizeof offScreen);
    RegCloseKey(settings);
  }

  // A user policy locks "Enable Deletion for Read-Only Files" cleared: the
  // box is drawn disabled on the Options page.
  HKEY policies = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Policies\\Vanbrisk", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &policies, nullptr) == ERROR_SUCCESS) {
    const DWORD cleared = 0;
    RegSetValueExA(policies, "(Opt)Enable Deletion for Read-Only Files", 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&cleared), sizeof cleared);
    RegCloseKey(policies);
  }

  // A program that starts at logon, for the Startup window to list and delete.
  const char* runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  HKEY run = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, runKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &run,
                      nullptr) == ERROR_SUCCESS) {
    const char probe[] = "probe.exe";
    RegSetValueExA(run, "VanbriskGuiProbe", 0, REG_SZ, reinterpret_cast<const BYTE*>(probe),
                   sizeof probe);
    RegCloseKey(run);
  }

  PROCESS_INFORMATION pi = Launch(exe, "");
  HWND main = WaitForWindow("Vanbrisk", 30);
  Check(main != nullptr, "the main window opens");
  if (!main) {
    TerminateProcess(pi.hProcess, 1);
    std::printf("%d passed, %d failed\n", passed, failed + 1);
    return 1;
  }
  Pump();
  Check(MonitorFromWindow(main, MONITOR_DEFAULTTONULL) != nullptr,
        "a position stored off screen opens the window on screen");
  // Laid out at the window's DPI: a button 28 pixels high at 96 DPI. (Its
  // font belongs to the program's process; the screenshots show it.)
  const int dpi = WindowDpi(main);
  std::printf("the window is drawn at %d DPI\n", dpi);
  if (HWND exitButton = Child(main, "Exit")) {
    RECT r = Bounds(exitButton);
    Check(r.bottom - r.top == MulDiv(28, dpi, 96), "the buttons scale with the DPI");
  }
  for (const char* caption : {"&Analyze", "&Run Cleaner", "Exit", "About", "Online Help"})
    Check(Child(main, caption) != nullptr, std::string("button ") + caption + " shown");
  Screenshot(shots, "cleaner");

  struct PageCheck {
    const char* page;
    const char* marker;
  } pages[] = {{"Applications", "Select Which Applications You Wish To Clean:"},
               {"Internet", "Internet Browsers"},
               {"Tools", "Diagnostics"},
               {"Options", "Cleaner Options"},
               {"Cleaner", "&Analyze"}};
  for (const PageCheck& p : pages) {
    ChoosePage(main, p.page);
    Pump();
    Check(Child(main, p.marker) != nullptr, std::string("page ") + p.page + " shows " + p.marker);
    Check(p.page == std::string("Cleaner") || Child(main, "&Analyze") == nullptr,
          std::string("page ") + p.page + " hides the Cleaner page");
    if (p.page == std::string("Applications")) {
      // The visible list holds the one application this machine has; a tick in
      // its check box by the keyboard (Space on the current row) reaches the
      // program. Messages with pointers are not used: they do not cross processes.
      HWND list = nullptr;
      for (HWND child : Children(main))
        if (ClassOf(child) == WC_LISTVIEWA && IsWindowVisible(child)) list = child;
      Check(list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 1,
            "the Applications page lists the installed application");
      if (list) {
        SendMessageA(list, WM_KEYDOWN, VK_HOME, 0);
        SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
        SendMessageA(list, WM_KEYUP, VK_SPACE, 0);
        Pump();
        Check(((SendMessageA(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK) &
                LVIS_STATEIMAGEMASK) >> 12) == 2,
              "Google Earth ticked");
      }
    }
    if (p.page != std::string("Cleaner")) Screenshot(shots, p.page);
    if (p.page == std::string("Options")) {
      HWND locked = Child(main, "Enable Deletion for Read-Only Files");
      Check(locked != nullptr && !IsWindowEnabled(locked),
            "the box a policy sets is drawn disabled");
    }
    if (p.page == std::string("Applications")) {
      // The Internet tab, chosen by the keyboard: today's browser is listed.
      HWND tabs = nullptr;
      for (HWND child : Children(main))
        if (ClassOf(child) == WC_TABCONTROLA && IsWindowVisible(child)) tabs = child;
      if (tabs) {
        SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
        SendMessageA(tabs, WM_KEYUP, VK_RIGHT, 0);
        Pump();
      }
      HWND list = nullptr;
      for (HWND child : Children(main))
        if (ClassOf(child) == WC_LISTVIEWA && IsWindowVisible(child)) list = child;
      Check(list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 5,
            "the Internet tab lists Google Chrome's five entries");
      Screenshot(shots, "ApplicationsInternet");
      if (tabs) {
        SendMessageA(tabs, WM_KEYDOWN, VK_LEFT, 0);
        SendMessageA(tabs, WM_KEYUP, VK_LEFT, 0);
        Pump();
      }
    }
  }

  // The Tools page's windows: each is owned by the main window, which waits
  // disabled until it closes.
  ChoosePage(main, "Tools");
  Pump();
  auto openTool = [&](const char* button, const char* caption) {
    PostMessageA(Child(main, button), BM_CLICK, 0, 0);
    HWND w = WaitForWindow(caption, 10);
    Check(w != nullptr, std::string(button) + " opens its window");
    if (w) {
      Pump();
      Check(!IsWindowEnabled(main), std::string("the main window waits for ") + caption);
    }
    return w;
  };
  auto closeTool = [&](HWND w, const char* button, const char* caption) {
    PostMessageA(Child(w, button), BM_CLICK, 0, 0);
    bool closed = false;
    for (int i = 0; i < 50 && !closed; ++i, Sleep(100))
      closed = FindWindowA("VanbriskForm", caption) == nullptr;
    Check(closed && IsWindowEnabled(main), std::string(caption) + " closes and frees the main window");
  };
  auto textBox = [&](HWND w) {
    HWND box = nullptr;
    for (HWND child : Children(w))
      if (ClassOf(child) == "Edit" && IsWindowVisible(child)) box = child;
    return box;
  };
  if (HWND diagnostics = openTool("Diagnostics", "Diagnostics")) {
    std::string report = textBox(diagnostics) ? Text(textBox(diagnostics)) : "";
    Check(report.find("Vanbrisk Suite Version: ") != std::string::npos &&
              report.find("\r\nOperating System: ") != std::string::npos &&
              report.find("\r\nSoftware\r\n----") != std::string::npos,
          "the diagnostics report shows its lines");
    Screenshot(shots, "Diagnostics");
    closeTool(diagnostics, "OK", "Diagnostics");
  }
  if (HWND startup = openTool("Startup", "Startup")) {
    // The name list is the middle one of the three.
    std::vector<HWND> views;
    for (HWND child : Children(startup))
      if (ClassOf(child) == WC_LISTVIEWA) views.push_back(child);
    HWND names = views.size() == 3 ? views[1] : nullptr;
    LRESULT rows = names ? SendMessageA(names, LVM_GETITEMCOUNT, 0, 0) : 0;
    Check(rows >= 1, "the Startup window lists the Run value");
    Screenshot(shots, "Startup");
    HWND remove = Child(startup, "Delete Value");
    Check(remove && !IsWindowEnabled(remove), "Delete Value waits for a chosen name");
    // The probe's row: after every value of the machine's Run key, at its
    // place among the user's, in the order the registry enumerates them.
    auto valueNames = [](HKEY root, const char* path) {
      std::vector<std::string> out;
      HKEY key = nullptr;
      if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
      char name[256];
      for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
          break;
        out.push_back(name);
      }
      RegCloseKey(key);
      return out;
    };
    std::vector<std::string> user = valueNames(HKEY_CURRENT_USER, runKey);
    LRESULT row = static_cast<LRESULT>(valueNames(HKEY_LOCAL_MACHINE, runKey).size());
    for (std::size_t i = 0; i < user.size() && user[i] != "VanbriskGuiProbe"; ++i) ++row;
    if (names && remove) {
      SetFocus(names);
      SendMessageA(names, WM_KEYDOWN, VK_HOME, 0);
      for (LRESULT i = 0; i < row; ++i) SendMessageA(names, WM_KEYDOWN, VK_DOWN, 0);
      Pump();
      Check(IsWindowEnabled(remove), "a chosen name enables Delete Value");
      PostMessageA(remove, BM_CLICK, 0, 0);
      HWND question = nullptr;
      for (int t = 0; t < 100 && !question; ++t, Sleep(100)) question = FindWindowA("#32770", nullptr);
      Check(question != nullptr, "Delete Value asks first");
      if (question) SendMessageA(Child(question, "&Yes", false), BM_CLICK, 0, 0);
      Pump();
    }
    std::vector<std::string> left = valueNames(HKEY_CURRENT_USER, runKey);
    bool gone = user.size() == left.size() + 1;
    for (const std::string& name : left) gone = gone && name != "VanbriskGuiProbe";
    Check(gone, "Delete Value removes the Run value from the registry");
    Check(names && SendMessageA(names, LVM_GETITEMCOUNT, 0, 0) == rows - 1, "its row leaves the list");
    closeTool(startup, "OK", "Startup");
  }
  if (HWND about = openTool("About", "About Vanbrisk")) {
    Check(Child(about, "V1.05.168") != nullptr, "the About window shows the version");
    PostMessageA(Child(about, "Version History"), BM_CLICK, 0, 0);
    Pump();
    std::string history = textBox(about) ? Text(textBox(about)) : "";
    Check(history.rfind("Vanbrisk Suite - Version History", 0) == 0,
          "Version History shows History.txt");
    Screenshot(shots, "About");
    closeTool(about, "OK", "About Vanbrisk");
  }

  // Each key typed stays where the user typed it: the text that comes back
  // from the model does not move the caret.
  HWND field = nullptr;
  for (HWND child : Children(main))
    if (GetParent(child) == main && ClassOf(child) == "Edit" &&
        !(GetWindowLongA(child, GWL_STYLE) & ES_MULTILINE))
      field = child;
  Check(field != nullptr, "a one-line text box found");
  if (field) {
    for (char c : std::string("abc")) SendMessageA(field, WM_CHAR, c, 0);
    Check(Text(field) == "abc", "typing in a text box keeps the keys in order");
    SetWindowTextA(field, "");
  }

  // The Add Registry dialog from the Personalized tab: owned by the main
  // window, which waits disabled; a key typed and confirmed joins the list.
  ChoosePage(main, "Options");
  Pump();
  HWND tabs = nullptr, perList = nullptr;
  for (HWND child : Children(main))
    if (ClassOf(child) == WC_TABCONTROLA && IsWindowVisible(child)) tabs = child;
  for (int i = 0; tabs && i < 3; ++i) SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);  // Personalized
  Pump();
  for (HWND child : Children(main))
    if (ClassOf(child) == WC_LISTVIEWA && IsWindowVisible(child)) perList = child;
  LRESULT rowsBefore = perList ? SendMessageA(perList, LVM_GETITEMCOUNT, 0, 0) : -1;
  HWND addRegistry = Child(main, "Add Registry");
  Check(addRegistry != nullptr, "the Personalized tab shows Add Registry");
  if (addRegistry) PostMessageA(addRegistry, BM_CLICK, 0, 0);
  HWND dialog = WaitForWindow("Vanbrisk Personalized Registry", 10);
  Check(dialog != nullptr, "Add Registry opens its dialog");
  if (dialog) {
    Pump();
    Check(!IsWindowEnabled(main), "the main window is disabled while the dialog is open");
    HWND keyText = nullptr;
    for (HWND child : Children(dialog))
      if (ClassOf(child) == "Edit") keyText = child;
    if (keyText) SendMessageA(keyText, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("HKEY_CURRENT_USER\\Software\\VanbriskGui"));
    Pump();
    Screenshot(shots, "AddRegistry");
    PostMessageA(Child(dialog, "Add Registry Key"), BM_CLICK, 0, 0);
    HWND question = nullptr;
    for (int i = 0; i < 100 && !question; ++i, Sleep(100)) question = FindWindowA("#32770", nullptr);
    Check(question != nullptr, "Add Registry Key asks for confirmation");
    if (question) SendMessageA(Child(question, "&Yes", false), BM_CLICK, 0, 0);
    bool closed = false;
    for (int i = 0; i < 50 && !closed; ++i, Sleep(100))
      closed = FindWindowA("VanbriskForm", "Vanbrisk Personalized Registry") == nullptr;
    Check(closed, "Yes closes the dialog");
    Check(IsWindowEnabled(main), "the main window is enabled again after the dialog");
    Check(perList && SendMessageA(perList, LVM_GETITEMCOUNT, 0, 0) == rowsBefore + 1,
          "the key shows in the personalized list");
  }
  ChoosePage(main, "Cleaner");
  Pump();

  for (const char* off : {"Internet Temporary", "Cookies", "Recent Documents", "Empty Recycle Bin"})
    SetCheck(main, off, false);
  SetCheck(main, "System Temporary", true);
  SetCheck(main, "Third Party Applications", true);

  SendMessageA(Child(main, "&Analyze"), BM_CLICK, 0, 0);
  Pump();
  HWND results = nullptr;
  for (HWND child : Children(main))
    if (ClassOf(child) == "Edit" && IsWindowVisible(child) &&
        (GetWindowLongA(child, GWL_STYLE) & ES_MULTILINE))
      results = child;
  std::string log = results ? Text(results) : "";
  Check(log.find("ANALYSIS SUMMARY") != std::string::npos, "Analyze fills the results box");
  Check(log.find("leftover.tmp 13 bytes") != std::string::npos, "Analyze lists the temporary file");
  Check(log.find("GoogleEarth\\cache.dat 11 bytes") != std::string::npos,
        "Analyze lists the ticked application's file");
  Check(Exists(victim), "Analyze deletes nothing");
  Check(Label(main, "Files: ") != nullptr, "the run's totals show under the results box");
  Check(Text(Label(main, "Files: ")).find("Registry keys: ") != std::string::npos,
        "the totals count registry keys");

  PostMessageA(Child(main, "&Run Cleaner"), BM_CLICK, 0, 0);
  HWND warning = WaitForWindow("Warning!", 10);
  Check(warning != nullptr, "Run Cleaner shows the first-clean warning");
  if (warning) {
    Pump();
    Check(!IsWindowEnabled(main), "the main window is disabled while the warning is open");
    Screenshot(shots, "Warning");
    SendMessageA(Child(warning, "Ok"), BM_CLICK, 0, 0);
    Pump();
    Check(IsWindowEnabled(main), "the main window is enabled after the warning");
    Check(FindWindowA("VanbriskForm", "Warning!") == nullptr,
          "the warning's window is destroyed once it unloads");
    Check(GetForegroundWindow() == main, "the main window is active again after the warning");
    Check(!Exists(victim), "Run Cleaner deleted the temporary file");
    log = results ? Text(results) : "";
    Check(log.find("CLEANING SUMMARY") != std::string::npos, "the results box shows the clean");
    Screenshot(shots, "Results");
  }

  // The window resized by the user: the results box takes the room it
  // gains, and the window never gets smaller than its design size.
  if (results) {
    RECT before = Bounds(main), box = Bounds(results);
    const int more = MulDiv(120, dpi, 96);
    SetWindowPos(main, nullptr, 0, 0, before.right - before.left + more,
                 before.bottom - before.top + more, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    RECT grown = Bounds(results);
    Check(std::abs((grown.right - grown.left) - (box.right - box.left) - more) <= 1 &&
              std::abs((grown.bottom - grown.top) - (box.bottom - box.top) - more) <= 1,
          "a larger window gives the results box the room");
    SetWindowPos(main, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    RECT client = {};
    GetClientRect(main, &client);
    Check(client.right >= MulDiv(664, dpi, 96) - 1 && client.bottom >= MulDiv(476, dpi, 96) - 1,
          "the window is never smaller than its design size");
    SetWindowPos(main, nullptr, 0, 0, before.right - before.left, before.bottom - before.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
  }

  // The Advanced tab: the Recycle Bin's "Open Vanbrisk..." verb goes into
  // Wine's registry when its box is ticked and out again when cleared; the
  // language box shows the main window in German, then in English again.
  ChoosePage(main, "Options");
  Pump();
  HWND optionTabs = nullptr;
  for (HWND child : Children(main))
    if (ClassOf(child) == WC_TABCONTROLA && IsWindowVisible(child)) optionTabs = child;
  for (int i = 0; optionTabs && i < 4; ++i) SendMessageA(optionTabs, WM_KEYDOWN, VK_RIGHT, 0);
  Pump();
  const char* verb = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\Shell\\Open Vanbrisk...\\command";
  auto verbPresent = [&] {
    HKEY key = nullptr;
    bool present = RegOpenKeyExA(HKEY_CLASSES_ROOT, verb, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (present) RegCloseKey(key);
    return present;
  };
  const char* openBox = "Add \"Open Vanbrisk...\" option to recycle bin right click menu";
  SetCheck(main, openBox, true);
  Check(verbPresent(), "ticking the Recycle Bin box writes its verb");
  SetCheck(main, openBox, false);
  Check(!verbPresent(), "clearing the Recycle Bin box removes its verb");
  HWND languages = nullptr;
  for (HWND child : Children(main))
    if (ClassOf(child) == "ComboBox" && IsWindowVisible(child)) languages = child;
  auto chooseLanguage = [&](const char* name) {
    LRESULT index = languages ? SendMessageA(languages, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(name))
                              : CB_ERR;
    Check(index != CB_ERR, std::string("the language box lists ") + name);
    if (index == CB_ERR) return;
    SendMessageA(languages, CB_SETCURSEL, index, 0);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(languages), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(languages));
    Pump();
  };
  chooseLanguage("German");
  Check(Child(main, "Beenden") != nullptr, "German captions shown");
  Check(Child(main, "Optionen") != nullptr && Child(main, "Werkzeuge") != nullptr,
        "German page buttons shown");
  Screenshot(shots, "German");
  // The language reaches the windows the main window opens: the About
  // window in German ("\xC3\x9C" is the UTF-8 of the letter U with umlaut).
  if (HWND about = openTool("Info", "\xC3\x9C" "ber Vanbrisk")) {
    Check(Child(about, "Versionsverlauf") != nullptr, "the About window's buttons in German");
    Screenshot(shots, "GermanAbout");
    closeTool(about, "OK", "\xC3\x9C" "ber Vanbrisk");
  }
  chooseLanguage("English");
  Check(Child(main, "Exit") != nullptr, "English captions back");
  ChoosePage(main, "Cleaner");
  Pump();

  // After a run Exit is the default button: Enter presses it.
  PostMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(main, WM_KEYUP, VK_RETURN, 0);
  bool ended = WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0;
  Check(ended, "Enter presses Exit after a run and the program ends");
  if (!ended) {
    SendMessageA(Child(main, "Exit"), BM_CLICK, 0, 0);
    Check(WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0, "Exit ends the program");
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Policies\\Vanbrisk");
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
