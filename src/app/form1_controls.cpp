#include "app/form1_controls.h"

#include "app/form1_layout.h"

namespace vb::app {

using toolkit::Kind;

namespace {

constexpr Kind kLabel = Kind::kLabel, kFrame = Kind::kFrame, kButton = Kind::kButton,
               kCheck = Kind::kCheckBox, kPicture = Kind::kPictureBox, kText = Kind::kTextBox,
               kList = Kind::kListBox, kView = Kind::kListView, kCombo = Kind::kComboBox,
               kTabs = Kind::kTabStrip, kProgress = Kind::kProgressBar, kShape = Kind::kShape;

constexpr const char* kWebTip = "Click here to visit the Vanbrisk web site";

}  // namespace

const std::vector<ControlSpec>& Form1Controls() {
  static const std::vector<ControlSpec> controls = {
      // Always shown: the page buttons (normal look ending in 2, selected look in 1).
      {"ct1", kPicture, nullptr, "Cleaner", 0},
      {"ct2", kPicture, nullptr, "Cleaner", 0, nullptr, 0, false},
      {"at1", kPicture, nullptr, "Applications", 0, nullptr, 0, false},
      {"at2", kPicture, nullptr, "Applications", 0},
      {"iet1", kPicture, nullptr, "Internet", 0, nullptr, 0, false},
      {"iet2", kPicture, nullptr, "Internet", 0},
      {"tt1", kPicture, nullptr, "Tools", 0, nullptr, 0, false},
      {"tt2", kPicture, nullptr, "Tools", 0},
      {"ot1", kPicture, nullptr, "Options", 0, nullptr, 0, false},
      {"ot2", kPicture, nullptr, "Options", 0},
      {"Label1", kLabel, nullptr, "Vanbrisk", 0, kWebTip, 140},
      {"Picture1", kPicture, nullptr, "", 0, kWebTip, 140},
      {"Command3", kButton, nullptr, "Online Help", 25, "Click here to view Vanbrisk Online Help"},
      {"Command2", kButton, nullptr, "About", 20},
      {"Command1", kButton, nullptr, "Exit", 15},
      {"Shape1", kShape, nullptr, "", 0},
      {"Shape2", kShape, nullptr, "", 0},
      {"Shape3", kShape, nullptr, "", 0},
      {"Line1", kShape, nullptr, "", 0},

      // Never shown: data holders of the runs.
      {"Label4", kLabel, nullptr, "", 0, nullptr, 0, false},
      {"L", kList, nullptr, "", 0, nullptr, 0, false},
      {"L2", kList, nullptr, "", 0, nullptr, 0, false},
      {"List1", kList, nullptr, "", 0, nullptr, 0, false},
      {"List2", kList, nullptr, "", 0, nullptr, 0, false},
      {"ListBox", kList, nullptr, "", 0, nullptr, 0, false},
      {"ListView3", kView, nullptr, "", 0, nullptr, 0, false},
      {"ListView4", kView, nullptr, "", 0, nullptr, 0, false},
      {"ListView5", kView, nullptr, "", 0, nullptr, 0, false},
      {"ListView6", kView, nullptr, "", 0, nullptr, 0, false},

      // Cleaner page.
      {"Cleaner", kFrame, nullptr, "", 0},
      {"ProgressBar1", kProgress, "Cleaner", "", 0},
      {"Text1", kText, "Cleaner", "", 0},
      {"Frame1", kFrame, nullptr, "Cleaner Settings", 0},
      {"SysTemp", kCheck, "Frame1", "System Temporary", 30, nullptr, 0, true, 1},
      {"ietemp", kCheck, "Frame1", "Internet Temporary", 35, nullptr, 0, true, 1},
      {"Cook", kCheck, "Frame1", "Cookies", 45, nullptr, 0, true, 1},
      {"Pref", kCheck, "Frame1", "XP Prefetch", 40, nullptr, 0, true, 0},
      {"rdocs", kCheck, "Frame1", "Recent Documents", 50, nullptr, 0, true, 1},
      {"RBin", kCheck, "Frame1", "Empty Recycle Bin", 55, nullptr, 0, true, 1},
      {"TAP", kCheck, "Frame1", "Third Party Applications", 60, nullptr, 0, true, 1},
      {"idat", kCheck, "Frame1", "Index.dat Files", 65, nullptr, 0, false, 0},
      {"memdumps", kCheck, "Frame1", "Memory Dumps", 70, nullptr, 0, false, 0},
      {"winlog", kCheck, "Frame1", "Windows Log Files", 75, nullptr, 0, false, 0},
      {"ExMRUs", kCheck, "Frame1", "Explorer MRUs", 80, nullptr, 0, false, 1},
      {"ieurlhist", kCheck, "Frame1", "Internet Urls\\History", 85, nullptr, 0, false, 1},
      {"tnotif", kCheck, "Frame1", "Tray Notifications", 90, nullptr, 0, false, 0},
      {"wcache", kCheck, "Frame1", "Windows Cache", 95, nullptr, 0, false, 0},
      {"Command4", kButton, nullptr, ">>>", 0, "Shows More Cleaning Options...", 0, true, 0, "Arial"},
      {"Command5", kButton, nullptr, "<<<", 0, nullptr, 0, false, 0, "Arial"},
      {"Frame2", kFrame, nullptr, "Settings", 0},
      {"VnbStartup", kCheck, "Frame2", "Open Vanbrisk Suite On Startup", 120},
      {"HWM", kCheck, "Frame2", "Hide Warning Messages", 115},
      {"HWC", kCheck, "Frame2", "Hide While Cleaning", 110},
      {"CBD", kCheck, "Frame2", "Confirm Before Deletion", 105},
      {"CAC", kCheck, "Frame2", "Close After Cleaning", 100},
      {"AnalyCom", kButton, nullptr, "&Analyze", 10},
      {"CleanCom", kButton, nullptr, "&Run Cleaner", 5},

      // Applications page.
      {"Applications", kFrame, nullptr, "", 0, nullptr, 0, false},
      {"Label9", kLabel, "Applications", "Select Which Applications You Wish To Clean:", 200},
      {"TabStrip2", kTabs, "Applications", "", 0},
      {"Appl", kList, "Applications", "", 0},
      {"IE", kList, "Applications", "", 0, nullptr, 0, false},
      {"MM", kList, "Applications", "", 0, nullptr, 0, false},
      {"Util", kList, "Applications", "", 0, nullptr, 0, false},
      {"Win", kList, "Applications", "", 0, nullptr, 0, false},

      // Internet page.
      {"Internet", kFrame, nullptr, "", 0, nullptr, 0, false},
      {"Label2", kLabel, "Internet", "Internet Browsers", 0},
      {"Frame4", kFrame, nullptr, "Cache:", 0, nullptr, 0, false},
      {"ListView2", kView, "Frame4", "", 0},
      {"Frame5", kFrame, nullptr, "Cookies:", 0, nullptr, 0, false},
      {"ListView1", kView, "Frame5", "", 0},
      {"Frame3", kFrame, nullptr, "Results Log:", 0, nullptr, 0, false},
      {"Text2", kText, "Frame3", "", 0},
      {"CleanIE", kButton, nullptr, "&Clean Browsers", 310, "This will delete all IE tracks...", 0,
       false},
      {"SLF", kButton, nullptr, "Save Log File...", 305, nullptr, 0, false},
      {"DelCache", kButton, nullptr, "Delete Cache", 315, nullptr, 0, false},
      {"DelCook", kButton, nullptr, "Delete Cookies", 320, nullptr, 0, false},

      // Tools page.
      {"Tools", kFrame, nullptr, "", 0, nullptr, 0, false},
      {"Frame8", kFrame, nullptr, "Program Tools", 400, nullptr, 0, false},
      {"Diag", kButton, nullptr, "Diagnostics", 0,
       "Click here to view information about your system...", 420, false},
      {"Start", kButton, nullptr, "Startup", 0,
       "Click here to view which programs are starting up with your system...", 425, false},
      {"Frame7", kFrame, nullptr, "Most Commonly Used...", 405, nullptr, 0, false},
      {"DClean", kButton, nullptr, "Disk Cleanup", 0, nullptr, 0, false},
      {"RegEdit", kButton, nullptr, "Registry Editor", 0, nullptr, 0, false},
      {"CPanel", kButton, nullptr, "Control Panel  ", 0, nullptr, 0, false},
      {"Frame6", kFrame, nullptr, "More Tools...", 410, nullptr, 0, false},
      {"DXDiag", kButton, nullptr, "DirectX Diagnostics", 0, nullptr, 0, false},
      {"CPrompt", kButton, nullptr, "Command Prompt", 0, nullptr, 0, false},
      {"TMan", kButton, nullptr, "Task Manager", 0, nullptr, 0, false},

      // Options page.
      {"Options", kFrame, nullptr, "", 0, nullptr, 0, false},
      {"TabStrip3", kTabs, "Options", "", 0},
      {"CleanO", kFrame, nullptr, "Cleaner Options", 500, nullptr, 0, false},
      {"Check1", kCheck, "CleanO", "Hide Progress Bar While Cleaning", 505},
      {"Check2", kCheck, "CleanO", "Show Only Default Settings", 510},
      {"Check3", kCheck, "CleanO", "Enable Deletion for Read-Only Files", 515},
      {"Label3", kLabel, "CleanO",
       "Note: When using \"Show Only Default Settings\" You will have to restart the program in "
       "order for the settings to be enabled.",
       520},
      {"CookO", kFrame, nullptr, "Cookies", 525, nullptr, 0, false},
      {"Label", kLabel, "CookO", "Cookies to delete:", 530},
      {"LV1", kView, "CookO", "", 0},
      {"Label5", kLabel, "CookO", "Cookies to keep:", 535},
      {"LV2", kView, "CookO", "", 0},
      {"Text3", kText, "CookO", "", 0},
      {"SC", kButton, "CookO", "->", 0},
      {"RC", kButton, "CookO", "<-", 0},
      {"IEO", kFrame, nullptr, "Internet Options", 540, nullptr, 0, false},
      {"Check4", kCheck, "IEO", "Show All Deleted IE Temp Files", 545},
      {"Check5", kCheck, "IEO", "Add Vanbrisk button to Internet Explorer", 550},
      {"PerO", kFrame, nullptr, "Personalized", 555, nullptr, 0, false},
      {"Label6", kLabel, "PerO", " Personalized files, folders && registry items to clean:", 560},
      {"LV", kView, "PerO", "", 0},
      {"Check8", kCheck, "PerO",
       "Clean Personalized Files, Folders && Registry Items when clicking \"Run Cleaner\"", 565},
      {"Label8", kLabel, "PerO", "Note: Cleaning is not supported for hidden files", 570},
      {"AFol", kButton, nullptr, "Add Folder", 575, nullptr, 0, false},
      {"AFil", kButton, nullptr, "Add File", 580, nullptr, 0, false},
      {"AReg", kButton, nullptr, "Add Registry", 585, nullptr, 0, false},
      {"RSel", kButton, nullptr, "Remove Selected", 590, nullptr, 0, false},
      {"RAll", kButton, nullptr, "Remove All", 595, nullptr, 0, false},
      {"AdvO", kFrame, nullptr, "Advanced Options", 600, nullptr, 0, false},
      {"Check10", kCheck, "AdvO", "Run Cleaner when the computer starts", 610},
      {"Check6", kCheck, "AdvO", "Automatically Clean When Vanbrisk Opens", 615},
      {"Check7", kCheck, "AdvO", "Add \"Open Vanbrisk...\" option to recycle bin right click menu",
       620},
      {"Check9", kCheck, "AdvO", "Add \"Run Vanbrisk...\" option to recycle bin right click menu",
       625},
      {"Label7", kLabel, "AdvO", "Language:", 605},
      {"Combo1", kCombo, "AdvO", "", 0},
      {"Label10", kLabel, "AdvO", "Command-Line Parameters:", 0},
      {"Label11", kLabel, "AdvO",
       "/AUTO - (Quiet Mode) Opens program hidden, runs cleaner and then exits when finished", 0},
  };
  return controls;
}

const std::vector<MenuSpec>& Form1Menus() {
  static const std::vector<MenuSpec> menus = {
      {"textpopup", "TextPopup", {{"mnusave", "Save to text file...", 130}}},
      {"listpopup", "ListPopup", {{"mnulog", "Save log file...", 300}}},
      {"cachepopup",
       "CachePopup",
       {{"iecache2", "Delete Internet Explorer Cache", 330},
        {"operacache2", "Delete Opera Browser Cache", 335, false},
        {"mozff", "Delete Mozilla Firefox Cache", 340, false},
        {"sep", "-", 0},
        {"dscache", "Delete Selected Cache File...", 345, true, false},
        {"refresh1", "Reload Cache/Cookies", 350},
        {"sep2", "-", 0},
        {"cancel1", "Cancel", 355}}},
      {"cachepopup2",
       "CachePopup2",
       {{"iecook", "Delete Internet Explorer Cookies", 360},
        {"operacook", "Delete Opera Browser Cookies", 365, false},
        {"mozffcook", "Delete Mozilla Firefox Cookies", 370, false},
        {"sep3", "-", 0},
        {"dscookie", "Delete Selected Cookie...", 380, true, false},
        {"refresh2", "Reload Cache/Cookies", 350},
        {"sep4", "-", 0},
        {"cancel2", "Cancel", 355}}},
      {"lbmnu",
       "ListBoxMenu",
       {{"sall", "Select All", 0},
        {"sallt", "Select All of Type", 0},
        {"sep5", "-", 0},
        {"dall", "Deselect All", 0},
        {"dallt", "Deselect All of Type", 0}}},
      {"PersMenu",
       "PersMenu",
       {{"afilmnu", "Add File", 580},
        {"afolmnu", "Add Folder", 575},
        {"aregmnu", "Add Registry", 585},
        {"sep6", "-", 0},
        {"rselmnu", "Remove Selected", 590, true, false},
        {"rallmnu", "Remove All", 595}}},
  };
  return menus;
}

namespace {

toolkit::Control& Create(toolkit::Form& form, const ControlSpec& row) {
  toolkit::Control* in = row.container ? form.Find(row.container) : nullptr;
  switch (row.kind) {
    case Kind::kLabel: return form.Add<toolkit::Label>(row.name, in);
    case Kind::kFrame: return form.Add<toolkit::Frame>(row.name, in);
    case Kind::kButton: return form.Add<toolkit::Button>(row.name, in);
    case Kind::kCheckBox: return form.Add<toolkit::CheckBox>(row.name, in);
    case Kind::kPictureBox: return form.Add<toolkit::PictureBox>(row.name, in);
    case Kind::kTextBox: return form.Add<toolkit::TextBox>(row.name, in);
    case Kind::kListBox: return form.Add<toolkit::ListBox>(row.name, in);
    case Kind::kListView: return form.Add<toolkit::ListView>(row.name, in);
    case Kind::kComboBox: return form.Add<toolkit::ComboBox>(row.name, in);
    case Kind::kTabStrip: return form.Add<toolkit::TabStrip>(row.name, in);
    case Kind::kProgressBar: return form.Add<toolkit::ProgressBar>(row.name, in);
    case Kind::kShape: return form.Add<toolkit::Shape>(row.name, in);
    case Kind::kMenu:
    case Kind::kMenuItem: break;
  }
  return form.Add<toolkit::Shape>(row.name, in);
}

}  // namespace

void BuildForm1(toolkit::Form& form) {
  form.SetCaption("Vanbrisk");
  for (const ControlSpec& row : Form1Controls()) {
    toolkit::Control& c = Create(form, row);
    c.SetCaption(row.caption);
    c.SetVisible(row.visible);
    if (row.toolTip) c.SetToolTipText(row.toolTip);
    if (row.font) c.SetFontName(row.font);
    if (auto* box = dynamic_cast<toolkit::CheckBox*>(&c)) {
      // The design value, set before any handler is wired.
      if (row.value) box->SetValue(row.value);
    }
  }
  form.Get<toolkit::TextBox>("Text1").SetMultiLine(true);
  form.Get<toolkit::TextBox>("Text1").SetLocked(true);
  form.Get<toolkit::TextBox>("Text2").SetMultiLine(true);
  form.Get<toolkit::TextBox>("Text2").SetLocked(true);
  form.Get<toolkit::TabStrip>("TabStrip2").SetTabs(
      {"Applications", "Internet", "Multimedia", "Utilities", "Windows"});
  form.Get<toolkit::TabStrip>("TabStrip3").SetTabs(
      {"Cleaner", "Cookies", "Internet", "Personalized", "Advanced"});
  for (const char* list : {"Appl", "IE", "MM", "Util", "Win"}) {
    form.Get<toolkit::ListBox>(list).SetCheckBoxes(true);
    form.Get<toolkit::ListBox>(list).SetSorted(true);
  }
  for (const MenuSpec& row : Form1Menus()) {
    auto& menu = form.Add<toolkit::Menu>(row.menu);
    menu.SetCaption(row.caption);
    menu.SetVisible(false);
    for (const MenuSpec::Item& item : row.items) {
      auto& entry = form.AddMenuItem(menu, item.name, item.caption);
      entry.SetEnabled(item.enabled);
      entry.SetVisible(item.visible);
    }
  }
  PlaceForm1(form);
}

}  // namespace vb::app
