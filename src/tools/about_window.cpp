#include "tools/about_window.h"

#include "product/version.h"
#include "registry/reg32.h"
#include "toolkit/application.h"
#include "tools/memory_figure.h"
#include "tools/web_links.h"

namespace vb::tools {

using toolkit::Bind;
using F = AboutForm;
using namespace vb::win;

namespace {

constexpr char kNtVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kWinVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

const toolkit::FormTable<AboutForm>& AboutTable() {
  static const std::string version = std::string("V") + product::kVersion;
  static const toolkit::FormTable<AboutForm> table{
      "About Vanbrisk",
      480,
      360,
      {
          Bind<&F::Picture1>({.name = "Picture1", .look = toolkit::Look::kLogo}),
          Bind<&F::Label1>(
              {.name = "Label1", .caption = "Vanbrisk Suite", .font = toolkit::FontRole::kBanner}),
          Bind<&F::Label8>({.name = "Label8", .caption = version.c_str()}),
          Bind<&F::lblDescription>(
              {.name = "lblDescription",
               .caption = "Cleans the following - System Temp, Temporary Internet Files, IE Cache "
                          "and Cookies, Recycle Bin, Recent Documents List, Explorer MRUs, IE "
                          "History, Windows XP Prefetch, Windows Log Files, Windows Memory Dumps "
                          "(After System Crashes), and a wide variety of Third Party Application "
                          "Temp files and Recent File Lists..."}),
          Bind<&F::Shape1>({.name = "Shape1", .visible = false}),
          Bind<&F::Text1>({.name = "Text1",
                           .visible = false,
                           .flags = toolkit::kMultiLine | toolkit::kLocked}),
          Bind<&F::lblDisclaimer>(
              {.name = "lblDisclaimer", .caption = "Last Updated - March.25, 2006"}),
          Bind<&F::Label3>({.name = "Label3"}),
          Bind<&F::Label4>({.name = "Label4"}),
          Bind<&F::Label5>({.name = "Label5"}),
          Bind<&F::Label6>({.name = "Label6",
                            .caption = "Download the latest updates and submit bug reports at "
                                       "the following website:"}),
          Bind<&F::Label7>(
              {.name = "Label7", .caption = product::kSiteHost, .pointer = toolkit::Pointer::kHand}),
          Bind<&F::Label2>({.name = "Label2",
                            .caption = "Check For Updates...",
                            .pointer = toolkit::Pointer::kHand}),
          Bind<&F::Command1>({.name = "Command1", .caption = "Version History"}),
          Bind<&F::Command2>({.name = "Command2", .caption = "Close", .visible = false}),
          Bind<&F::Command3>({.name = "Command3", .caption = "OK", .flags = toolkit::kDefault}),
      },
      // Pixels at 96 DPI. The history view lies over the logo and the
      // description.
      {
          {"Picture1", {12, 12, 100, 48}},
          {"Label1", {124, 12, 344, 30}},
          {"Label8", {124, 44, 344, 18}},
          {"lblDescription", {12, 72, 456, 96}},
          {"Shape1", {8, 68, 464, 108}},
          {"Text1", {12, 72, 456, 100}},
          {"lblDisclaimer", {12, 184, 456, 18}},
          {"Label3", {12, 208, 456, 18}},
          {"Label4", {12, 228, 456, 18}},
          {"Label5", {12, 248, 456, 18}},
          {"Label6", {12, 274, 456, 18}},
          {"Label7", {12, 294, 220, 18}},
          {"Label2", {244, 294, 224, 18}},
          {"Command1", {12, 322, 120, 28}},
          {"Command2", {140, 322, 84, 28}},
          {"Command3", {384, 322, 84, 28}},
      }};
  return table;
}

AboutForm::AboutForm(toolkit::Application& app) : toolkit::Form(app, "frmAbout") {
  toolkit::BuildForm(*this, AboutTable());
}

AboutWindow::AboutWindow(toolkit::Application& app, std::function<void()> reapplyLanguage)
    : platform_(app.platform()), form_(app), reapplyLanguage_(std::move(reapplyLanguage)) {
  form_.onLoad = [this] { Form_Load(); };
  form_.Command1->onClick = [this] { ShowHistory(true); };
  form_.Command2->onClick = [this] { ShowHistory(false); };
  form_.Command3->onClick = [this] { form_.Unload(); };
  form_.Label7->onClick = [this] { OpenWebPage(platform_, kHomePage); };
  form_.Label2->onClick = [this] { OpenWebPage(platform_, kDownloadPage); };
  auto hand = [this](int, int) { platform_.Ui().SetCursor(platform::Cursor::kHand); };
  form_.Label7->onMouseMove = hand;
  form_.Label2->onMouseMove = hand;
}

void AboutWindow::Form_Load() {
  auto& registry = platform_.Registry();
  const char* productKey =
      registry::Reg32::GetString(registry, kHkeyLocalMachine, kNtVersion, "ProductName").empty()
          ? kWinVersion
          : kNtVersion;
  form_.Label3->SetCaption(
      registry::ReadRegString(registry, kHkeyLocalMachine, productKey, "ProductName", ""));
  form_.Label4->SetCaption(registry::ReadRegString(
      registry, kHkeyLocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
      "ProcessorNameString", ""));
  form_.Label5->SetCaption(MegabytesText(MemoryOf(platform_).dwTotalPhys) + " MB Ram");
  if (reapplyLanguage_) reapplyLanguage_();
}

void AboutWindow::ShowHistory(bool history) {
  form_.Shape1->SetVisible(history);
  form_.Command2->SetVisible(history);
  form_.Text1->SetVisible(history);
  form_.Picture1->SetVisible(!history);
  form_.lblDescription->SetVisible(!history);
  if (!history) return;
  // Read afresh each time, so that the view shows the file as it is now.
  form_.Text1->SetText("");
  std::string content;
  if (platform_.Files().ReadFileBytes(platform_.System().ProgramFolder() + "\\History.txt",
                                      &content) == kErrorSuccess)
    form_.Text1->SetText(content);
}

}  // namespace vb::tools
