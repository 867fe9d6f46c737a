// The controls and menus of the main window as a table: kind (from the bound
// member), the frame or menu each sits in, caption, language keys, tooltip,
// design state and look, in creation order.
#include "app/form1.h"

#include "app/form1_layout.h"

namespace vb::app {

using toolkit::Bind;
using toolkit::FontRole;
using toolkit::Look;
using toolkit::Pointer;
using F = Form1;

namespace {

constexpr const char* kWebTip = "Click here to visit the Vanbrisk web site";

// A decorative control that no code reaches.
toolkit::ControlRow<F> Decoration(const char* name) {
  return toolkit::Unbound<toolkit::Shape, F>({.name = name});
}
toolkit::ControlRow<F> Separator(const char* name, const char* menu) {
  return toolkit::Unbound<toolkit::MenuItem, F>({.name = name, .container = menu, .caption = "-"});
}

// A page button: the normal look is clicked, the selected look lies over it
// while its page is current.
toolkit::ControlSpec PageButton(const char* name, const char* caption, bool selected,
                                bool visible) {
  return {.name = name,
          .caption = caption,
          .visible = visible,
          .look = selected ? Look::kPageButtonSelected : Look::kPageButton};
}

std::vector<toolkit::ControlRow<F>> Rows() {
  return {
      // Always shown.
      Bind<&F::ct1>(PageButton("ct1", "Cleaner", true, true)),
      Bind<&F::ct2>(PageButton("ct2", "Cleaner", false, false)),
      Bind<&F::at1>(PageButton("at1", "Applications", true, false)),
      Bind<&F::at2>(PageButton("at2", "Applications", false, true)),
      Bind<&F::iet1>(PageButton("iet1", "Internet", true, false)),
      Bind<&F::iet2>(PageButton("iet2", "Internet", false, true)),
      Bind<&F::tt1>(PageButton("tt1", "Tools", true, false)),
      Bind<&F::tt2>(PageButton("tt2", "Tools", false, true)),
      Bind<&F::ot1>(PageButton("ot1", "Options", true, false)),
      Bind<&F::ot2>(PageButton("ot2", "Options", false, true)),
      Bind<&F::Label1>({.name = "Label1", .caption = "Vanbrisk", .toolTip = kWebTip,
                        .toolTipKey = 140, .look = Look::kBanner, .font = FontRole::kBanner,
                        .pointer = Pointer::kHand}),
      Bind<&F::Picture1>({.name = "Picture1", .toolTip = kWebTip, .toolTipKey = 140,
                          .look = Look::kLogo, .pointer = Pointer::kHand}),
      Bind<&F::Command3>({.name = "Command3", .caption = "Online Help", .key = 25,
                          .toolTip = "Click here to view Vanbrisk Online Help"}),
      Bind<&F::Command2>({.name = "Command2", .caption = "About", .key = 20}),
      Bind<&F::Command1>({.name = "Command1", .caption = "Exit", .key = 15}),
      Decoration("Shape1"),
      Decoration("Shape2"),
      Decoration("Shape3"),
      Decoration("Line1"),

      // Never shown: data holders of the runs.
      Bind<&F::Label4>({.name = "Label4", .visible = false}),
      Bind<&F::L>({.name = "L", .visible = false}),
      Bind<&F::L2>({.name = "L2", .visible = false}),
      Bind<&F::List1>({.name = "List1", .visible = false}),
      Bind<&F::List2>({.name = "List2", .visible = false}),
      Bind<&F::ListBox>({.name = "ListBox", .visible = false}),
      Bind<&F::ListView3>({.name = "ListView3", .visible = false}),
      Bind<&F::ListView4>({.name = "ListView4", .visible = false}),
      Bind<&F::ListView5>({.name = "ListView5", .visible = false}),
      Bind<&F::ListView6>({.name = "ListView6", .visible = false}),

      // Cleaner page.
      Bind<&F::Cleaner>({.name = "Cleaner"}),
      Bind<&F::ProgressBar1>({.name = "ProgressBar1", .container = "Cleaner"}),
      Bind<&F::Text1>({.name = "Text1", .container = "Cleaner",
                       .flags = toolkit::kMultiLine | toolkit::kLocked}),
      Bind<&F::Frame1>({.name = "Frame1", .caption = "Cleaner Settings"}),
      Bind<&F::SysTemp>({.name = "SysTemp", .container = "Frame1", .caption = "System Temporary",
                         .key = 30, .value = 1}),
      Bind<&F::ietemp>({.name = "ietemp", .container = "Frame1", .caption = "Internet Temporary",
                        .key = 35, .value = 1}),
      Bind<&F::Cook>({.name = "Cook", .container = "Frame1", .caption = "Cookies", .key = 45,
                      .value = 1}),
      Bind<&F::Pref>({.name = "Pref", .container = "Frame1", .caption = "XP Prefetch", .key = 40}),
      Bind<&F::rdocs>({.name = "rdocs", .container = "Frame1", .caption = "Recent Documents",
                       .key = 50, .value = 1}),
      Bind<&F::RBin>({.name = "RBin", .container = "Frame1", .caption = "Empty Recycle Bin",
                      .key = 55, .value = 1}),
      Bind<&F::TAP>({.name = "TAP", .container = "Frame1", .caption = "Third Party Applications",
                     .key = 60, .value = 1}),
      Bind<&F::idat>({.name = "idat", .container = "Frame1", .caption = "Index.dat Files",
                      .key = 65, .visible = false}),
      Bind<&F::memdumps>({.name = "memdumps", .container = "Frame1", .caption = "Memory Dumps",
                          .key = 70, .visible = false}),
      Bind<&F::winlog>({.name = "winlog", .container = "Frame1", .caption = "Windows Log Files",
                        .key = 75, .visible = false}),
      Bind<&F::ExMRUs>({.name = "ExMRUs", .container = "Frame1", .caption = "Explorer MRUs",
                        .key = 80, .visible = false, .value = 1}),
      Bind<&F::ieurlhist>({.name = "ieurlhist", .container = "Frame1",
                           .caption = "Internet Urls\\History", .key = 85, .visible = false,
                           .value = 1}),
      Bind<&F::tnotif>({.name = "tnotif", .container = "Frame1", .caption = "Tray Notifications",
                        .key = 90, .visible = false}),
      Bind<&F::wcache>({.name = "wcache", .container = "Frame1", .caption = "Windows Cache",
                        .key = 95, .visible = false}),
      Bind<&F::Command4>({.name = "Command4", .caption = ">>>",
                          .toolTip = "Shows More Cleaning Options...", .font = FontRole::kSymbol}),
      Bind<&F::Command5>({.name = "Command5", .caption = "<<<", .visible = false,
                          .font = FontRole::kSymbol}),
      Bind<&F::Frame2>({.name = "Frame2", .caption = "Settings"}),
      Bind<&F::VnbStartup>({.name = "VnbStartup", .container = "Frame2",
                            .caption = "Open Vanbrisk Suite On Startup", .key = 120}),
      Bind<&F::HWM>({.name = "HWM", .container = "Frame2", .caption = "Hide Warning Messages",
                     .key = 115}),
      Bind<&F::HWC>({.name = "HWC", .container = "Frame2", .caption = "Hide While Cleaning",
                     .key = 110}),
      Bind<&F::CBD>({.name = "CBD", .container = "Frame2", .caption = "Confirm Before Deletion",
                     .key = 105}),
      Bind<&F::CAC>({.name = "CAC", .container = "Frame2", .caption = "Close After Cleaning",
                     .key = 100}),
      Bind<&F::AnalyCom>({.name = "AnalyCom", .caption = "&Analyze", .key = 10}),
      Bind<&F::CleanCom>({.name = "CleanCom", .caption = "&Run Cleaner", .key = 5}),

      // Applications page.
      Bind<&F::Applications>({.name = "Applications", .visible = false}),
      Bind<&F::Label9>({.name = "Label9", .container = "Applications",
                        .caption = "Select Which Applications You Wish To Clean:", .key = 200}),
      Bind<&F::TabStrip2>({.name = "TabStrip2", .container = "Applications",
                           .tabs = {"Applications", "Internet", "Multimedia", "Utilities",
                                    "Windows"}}),
      Bind<&F::Appl>({.name = "Appl", .container = "Applications",
                      .flags = toolkit::kSorted | toolkit::kCheckBoxes}),
      Bind<&F::IE>({.name = "IE", .container = "Applications", .visible = false,
                    .flags = toolkit::kSorted | toolkit::kCheckBoxes}),
      Bind<&F::MM>({.name = "MM", .container = "Applications", .visible = false,
                    .flags = toolkit::kSorted | toolkit::kCheckBoxes}),
      Bind<&F::Util>({.name = "Util", .container = "Applications", .visible = false,
                      .flags = toolkit::kSorted | toolkit::kCheckBoxes}),
      Bind<&F::Win>({.name = "Win", .container = "Applications", .visible = false,
                     .flags = toolkit::kSorted | toolkit::kCheckBoxes}),

      // Internet page.
      Bind<&F::Internet>({.name = "Internet", .visible = false}),
      Bind<&F::Label2>({.name = "Label2", .container = "Internet", .caption = "Internet Browsers"}),
      Bind<&F::Frame4>({.name = "Frame4", .caption = "Cache:", .visible = false}),
      Bind<&F::ListView2>({.name = "ListView2", .container = "Frame4"}),
      Bind<&F::Frame5>({.name = "Frame5", .caption = "Cookies:", .visible = false}),
      Bind<&F::ListView1>({.name = "ListView1", .container = "Frame5"}),
      Bind<&F::Frame3>({.name = "Frame3", .caption = "Results Log:", .visible = false}),
      Bind<&F::Text2>({.name = "Text2", .container = "Frame3",
                       .flags = toolkit::kMultiLine | toolkit::kLocked}),
      Bind<&F::CleanIE>({.name = "CleanIE", .caption = "&Clean Browsers", .key = 310,
                         .toolTip = "This will delete all IE tracks...", .visible = false}),
      Bind<&F::SLF>({.name = "SLF", .caption = "Save Log File...", .key = 305, .visible = false}),
      Bind<&F::DelCache>({.name = "DelCache", .caption = "Delete Cache", .key = 315,
                          .visible = false}),
      Bind<&F::DelCook>({.name = "DelCook", .caption = "Delete Cookies", .key = 320,
                         .visible = false}),

      // Tools page.
      Bind<&F::Tools>({.name = "Tools", .visible = false}),
      Bind<&F::Frame8>({.name = "Frame8", .caption = "Program Tools", .key = 400,
                        .visible = false}),
      Bind<&F::Diag>({.name = "Diag", .caption = "Diagnostics",
                      .toolTip = "Click here to view information about your system...",
                      .toolTipKey = 420, .visible = false}),
      Bind<&F::Start>({.name = "Start", .caption = "Startup",
                       .toolTip = "Click here to view which programs are starting up with your "
                                  "system...",
                       .toolTipKey = 425, .visible = false}),
      Bind<&F::Frame7>({.name = "Frame7", .caption = "Most Commonly Used...", .key = 405,
                        .visible = false}),
      Bind<&F::DClean>({.name = "DClean", .caption = "Disk Cleanup", .visible = false}),
      Bind<&F::RegEdit>({.name = "RegEdit", .caption = "Registry Editor", .visible = false}),
      Bind<&F::CPanel>({.name = "CPanel", .caption = "Control Panel  ", .visible = false}),
      Bind<&F::Frame6>({.name = "Frame6", .caption = "More Tools...", .key = 410,
                        .visible = false}),
      Bind<&F::DXDiag>({.name = "DXDiag", .caption = "DirectX Diagnostics", .visible = false}),
      Bind<&F::CPrompt>({.name = "CPrompt", .caption = "Command Prompt", .visible = false}),
      Bind<&F::TMan>({.name = "TMan", .caption = "Task Manager", .visible = false}),

      // Options page.
      Bind<&F::Options>({.name = "Options", .visible = false}),
      Bind<&F::TabStrip3>({.name = "TabStrip3", .container = "Options",
                           .tabs = {"Cleaner", "Cookies", "Internet", "Personalized",
                                    "Advanced"}}),
      Bind<&F::CleanO>({.name = "CleanO", .caption = "Cleaner Options", .key = 500,
                        .visible = false}),
      Bind<&F::Check1>({.name = "Check1", .container = "CleanO",
                        .caption = "Hide Progress Bar While Cleaning", .key = 505}),
      Bind<&F::Check2>({.name = "Check2", .container = "CleanO",
                        .caption = "Show Only Default Settings", .key = 510}),
      Bind<&F::Check3>({.name = "Check3", .container = "CleanO",
                        .caption = "Enable Deletion for Read-Only Files", .key = 515}),
      Bind<&F::Label3>({.name = "Label3", .container = "CleanO",
                        .caption = "Note: When using \"Show Only Default Settings\" You will have "
                                   "to restart the program in order for the settings to be "
                                   "enabled.",
                        .key = 520}),
      Bind<&F::CookO>({.name = "CookO", .caption = "Cookies", .key = 525, .visible = false}),
      Bind<&F::Label>({.name = "Label", .container = "CookO", .caption = "Cookies to delete:",
                       .key = 530}),
      Bind<&F::LV1>({.name = "LV1", .container = "CookO"}),
      Bind<&F::Label5>({.name = "Label5", .container = "CookO", .caption = "Cookies to keep:",
                        .key = 535}),
      Bind<&F::LV2>({.name = "LV2", .container = "CookO"}),
      Bind<&F::Text3>({.name = "Text3", .container = "CookO"}),
      Bind<&F::SC>({.name = "SC", .container = "CookO", .caption = "->"}),
      Bind<&F::RC>({.name = "RC", .container = "CookO", .caption = "<-"}),
      Bind<&F::IEO>({.name = "IEO", .caption = "Internet Options", .key = 540, .visible = false}),
      Bind<&F::Check4>({.name = "Check4", .container = "IEO",
                        .caption = "Show All Deleted IE Temp Files", .key = 545}),
      Bind<&F::Check5>({.name = "Check5", .container = "IEO",
                        .caption = "Add Vanbrisk button to Internet Explorer", .key = 550}),
      Bind<&F::PerO>({.name = "PerO", .caption = "Personalized", .key = 555, .visible = false}),
      Bind<&F::Label6>({.name = "Label6", .container = "PerO",
                        .caption = " Personalized files, folders && registry items to clean:",
                        .key = 560}),
      Bind<&F::LV>({.name = "LV", .container = "PerO"}),
      Bind<&F::Check8>({.name = "Check8", .container = "PerO",
                        .caption = "Clean Personalized Files, Folders && Registry Items when "
                                   "clicking \"Run Cleaner\"",
                        .key = 565}),
      Bind<&F::Label8>({.name = "Label8", .container = "PerO",
                        .caption = "Note: Cleaning is not supported for hidden files",
                        .key = 570}),
      Bind<&F::AFol>({.name = "AFol", .caption = "Add Folder", .key = 575, .visible = false}),
      Bind<&F::AFil>({.name = "AFil", .caption = "Add File", .key = 580, .visible = false}),
      Bind<&F::AReg>({.name = "AReg", .caption = "Add Registry", .key = 585, .visible = false}),
      Bind<&F::RSel>({.name = "RSel", .caption = "Remove Selected", .key = 590,
                      .visible = false}),
      Bind<&F::RAll>({.name = "RAll", .caption = "Remove All", .key = 595, .visible = false}),
      Bind<&F::AdvO>({.name = "AdvO", .caption = "Advanced Options", .key = 600,
                      .visible = false}),
      Bind<&F::Check10>({.name = "Check10", .container = "AdvO",
                         .caption = "Run Cleaner when the computer starts", .key = 610}),
      Bind<&F::Check6>({.name = "Check6", .container = "AdvO",
                        .caption = "Automatically Clean When Vanbrisk Opens", .key = 615}),
      Bind<&F::Check7>({.name = "Check7", .container = "AdvO",
                        .caption = "Add \"Open Vanbrisk...\" option to recycle bin right click "
                                   "menu",
                        .key = 620}),
      Bind<&F::Check9>({.name = "Check9", .container = "AdvO",
                        .caption = "Add \"Run Vanbrisk...\" option to recycle bin right click "
                                   "menu",
                        .key = 625}),
      Bind<&F::Label7>({.name = "Label7", .container = "AdvO", .caption = "Language:",
                        .key = 605}),
      Bind<&F::Combo1>({.name = "Combo1", .container = "AdvO"}),
      Bind<&F::Label10>({.name = "Label10", .container = "AdvO",
                         .caption = "Command-Line Parameters:"}),
      Bind<&F::Label11>({.name = "Label11", .container = "AdvO",
                         .caption = "/AUTO - (Quiet Mode) Opens program hidden, runs cleaner and "
                                    "then exits when finished"}),

      // Popup menus: each top-level entry is invisible, so the window has no
      // menu bar; the program opens them at the mouse.
      Bind<&F::textpopup>({.name = "textpopup", .caption = "TextPopup", .visible = false}),
      Bind<&F::mnusave>({.name = "mnusave", .container = "textpopup",
                         .caption = "Save to text file...", .key = 130}),
      Bind<&F::listpopup>({.name = "listpopup", .caption = "ListPopup", .visible = false}),
      Bind<&F::mnulog>({.name = "mnulog", .container = "listpopup", .caption = "Save log file...",
                        .key = 300}),
      Bind<&F::cachepopup>({.name = "cachepopup", .caption = "CachePopup", .visible = false}),
      Bind<&F::iecache2>({.name = "iecache2", .container = "cachepopup",
                          .caption = "Delete Internet Explorer Cache", .key = 330}),
      Bind<&F::operacache2>({.name = "operacache2", .container = "cachepopup",
                             .caption = "Delete Opera Browser Cache", .key = 335,
                             .enabled = false}),
      Bind<&F::mozff>({.name = "mozff", .container = "cachepopup",
                       .caption = "Delete Mozilla Firefox Cache", .key = 340, .enabled = false}),
      Separator("sep", "cachepopup"),
      Bind<&F::dscache>({.name = "dscache", .container = "cachepopup",
                         .caption = "Delete Selected Cache File...", .key = 345,
                         .visible = false}),
      Bind<&F::refresh1>({.name = "refresh1", .container = "cachepopup",
                          .caption = "Reload Cache/Cookies", .key = 350}),
      Separator("sep2", "cachepopup"),
      Bind<&F::cancel1>({.name = "cancel1", .container = "cachepopup", .caption = "Cancel",
                         .key = 355}),
      Bind<&F::cachepopup2>({.name = "cachepopup2", .caption = "CachePopup2", .visible = false}),
      Bind<&F::iecook>({.name = "iecook", .container = "cachepopup2",
                        .caption = "Delete Internet Explorer Cookies", .key = 360}),
      Bind<&F::operacook>({.name = "operacook", .container = "cachepopup2",
                           .caption = "Delete Opera Browser Cookies", .key = 365,
                           .enabled = false}),
      Bind<&F::mozffcook>({.name = "mozffcook", .container = "cachepopup2",
                           .caption = "Delete Mozilla Firefox Cookies", .key = 370,
                           .enabled = false}),
      Separator("sep3", "cachepopup2"),
      Bind<&F::dscookie>({.name = "dscookie", .container = "cachepopup2",
                          .caption = "Delete Selected Cookie...", .key = 380, .visible = false}),
      Bind<&F::refresh2>({.name = "refresh2", .container = "cachepopup2",
                          .caption = "Reload Cache/Cookies", .key = 350}),
      Separator("sep4", "cachepopup2"),
      Bind<&F::cancel2>({.name = "cancel2", .container = "cachepopup2", .caption = "Cancel",
                         .key = 355}),
      Bind<&F::lbmnu>({.name = "lbmnu", .caption = "ListBoxMenu", .visible = false}),
      Bind<&F::sall>({.name = "sall", .container = "lbmnu", .caption = "Select All"}),
      Bind<&F::sallt>({.name = "sallt", .container = "lbmnu", .caption = "Select All of Type"}),
      Separator("sep5", "lbmnu"),
      Bind<&F::dall>({.name = "dall", .container = "lbmnu", .caption = "Deselect All"}),
      Bind<&F::dallt>({.name = "dallt", .container = "lbmnu", .caption = "Deselect All of Type"}),
      Bind<&F::PersMenu>({.name = "PersMenu", .caption = "PersMenu", .visible = false}),
      Bind<&F::afilmnu>({.name = "afilmnu", .container = "PersMenu", .caption = "Add File",
                         .key = 580}),
      Bind<&F::afolmnu>({.name = "afolmnu", .container = "PersMenu", .caption = "Add Folder",
                         .key = 575}),
      Bind<&F::aregmnu>({.name = "aregmnu", .container = "PersMenu", .caption = "Add Registry",
                         .key = 585}),
      Separator("sep6", "PersMenu"),
      Bind<&F::rselmnu>({.name = "rselmnu", .container = "PersMenu",
                         .caption = "Remove Selected", .key = 590, .visible = false}),
      Bind<&F::rallmnu>({.name = "rallmnu", .container = "PersMenu", .caption = "Remove All",
                         .key = 595}),
  };
}

}  // namespace

const toolkit::FormTable<Form1>& Form1Table() {
  static const toolkit::FormTable<Form1> table{"Vanbrisk", kForm1ClientWidth, kForm1ClientHeight,
                                               Rows(), Form1Layout()};
  return table;
}

Form1::Form1(toolkit::Application& app) : toolkit::Form(app, "Form1") {
  toolkit::BuildForm(*this, Form1Table());
}

}  // namespace vb::app
