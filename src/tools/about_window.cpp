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
  // Pixels at 96 DPI. The history view lies over the logo and the
  // description.
  static const toolkit::FormTable<AboutForm> table{
      .name = "frmAbout",
      .caption = "About Vanbrisk",
      .captionKey = 950,
      .clientWidth = 480,
      .clientHeight = 360,
      .controls = {
          Bind<&F::logo>(
              {.name = "Picture1", .at = {12, 12, 100, 48}, .look = toolkit::Look::kLogo,
               .font = toolkit::FontRole::kSymbol}),
          Bind<&F::title>({.name = "Label1",
                           .at = {124, 12, 344, 30},
                           .caption = "Vanbrisk Suite",
                           .font = toolkit::FontRole::kBanner}),
          Bind<&F::version>(
              {.name = "Label8", .at = {124, 44, 344, 18}, .caption = version.c_str()}),
          Bind<&F::description>(
              {.name = "lblDescription",
               .at = {12, 72, 456, 96},
               .caption = "Cleans the following - System Temp, Temporary Internet Files, IE Cache "
                          "and Cookies, Recycle Bin, Recent Documents List, Explorer MRUs, IE "
                          "History, Windows XP Prefetch, Windows Log Files, Windows Memory Dumps "
                          "(After System Crashes), and a wide variety of Third Party Application "
                          "Temp files and Recent File Lists...",
               .key = 955}),
          Bind<&F::historyFrame>({.name = "Shape1", .at = {8, 68, 464, 108}, .visible = false}),
          Bind<&F::historyText>({.name = "Text1",
                                 .at = {12, 72, 456, 100},
                                 .visible = false,
                                 .flags = toolkit::kMultiLine | toolkit::kLocked}),
          Bind<&F::lastUpdated>({.name = "lblDisclaimer",
                                 .at = {12, 184, 456, 18},
                                 .caption = "Last Updated - March.25, 2006",
                                 .key = 960}),
          Bind<&F::windowsName>({.name = "Label3", .at = {12, 208, 456, 18}}),
          Bind<&F::processorName>({.name = "Label4", .at = {12, 228, 456, 18}}),
          Bind<&F::memorySize>({.name = "Label5", .at = {12, 248, 456, 18}}),
          Bind<&F::updatesNote>({.name = "Label6",
                                 .at = {12, 274, 456, 18},
                                 .caption = "Download the latest updates and submit bug reports "
                                            "at the following website:",
                                 .key = 965}),
          Bind<&F::siteLink>({.name = "Label7",
                              .at = {12, 294, 220, 18},
                              .caption = product::kSiteHost,
                              .pointer = toolkit::Pointer::kHand}),
          Bind<&F::updatesLink>({.name = "Label2",
                                 .at = {244, 294, 224, 18},
                                 .caption = "Check For Updates...",
                                 .key = 970,
                                 .pointer = toolkit::Pointer::kHand}),
          Bind<&F::historyButton>(
              {.name = "Command1", .at = {12, 322, 120, 28}, .caption = "Version History",
               .key = 975}),
          Bind<&F::closeHistoryButton>(
              {.name = "Command2", .at = {140, 322, 84, 28}, .caption = "Close", .key = 980,
               .visible = false}),
          Bind<&F::okButton>({.name = "Command3",
                              .at = {384, 322, 84, 28},
                              .caption = "OK",
                              .key = 985,
                              .flags = toolkit::kDefault}),
      }};
  return table;
}

AboutForm::AboutForm(toolkit::Application& app) : toolkit::Form(app, AboutTable().name) {
  toolkit::BuildForm(*this, AboutTable());
}

AboutWindow::AboutWindow(toolkit::Application& app) : platform_(app.platform()), form_(app) {
  form_.onLoad = [this] { Form_Load(); };
  form_.historyButton->onClick = [this] { ShowHistory(true); };
  form_.closeHistoryButton->onClick = [this] { ShowHistory(false); };
  form_.okButton->onClick = [this] { form_.Unload(); };
  form_.siteLink->onClick = [this] { OpenWebPage(platform_, kHomePage); };
  form_.updatesLink->onClick = [this] { OpenWebPage(platform_, kDownloadPage); };
  auto hand = [this](int, int) { platform_.Ui().SetCursor(platform::Cursor::kHand); };
  form_.siteLink->onMouseMove = hand;
  form_.updatesLink->onMouseMove = hand;
}

void AboutWindow::Form_Load() {
  auto& registry = platform_.Registry();
  const char* productKey =
      registry::Reg32::GetString(registry, kHkeyLocalMachine, kNtVersion, "ProductName").empty()
          ? kWinVersion
          : kNtVersion;
  form_.windowsName->SetCaption(
      registry::ReadRegString(registry, kHkeyLocalMachine, productKey, "ProductName", ""));
  form_.processorName->SetCaption(registry::ReadRegString(
      registry, kHkeyLocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
      "ProcessorNameString", ""));
  form_.memorySize->SetCaption(MegabytesText(MemoryOf(platform_).dwTotalPhys) + " MB Ram");
}

void AboutWindow::ShowHistory(bool history) {
  form_.historyFrame->SetVisible(history);
  form_.closeHistoryButton->SetVisible(history);
  form_.historyText->SetVisible(history);
  form_.logo->SetVisible(!history);
  form_.description->SetVisible(!history);
  if (!history) return;
  // Read afresh each time, so that the view shows the file as it is now.
  form_.historyText->SetText("");
  std::string content;
  if (platform_.Files().ReadFileBytes(platform_.System().ProgramFolder() + "\\History.txt",
                                      &content) == kErrorSuccess)
    form_.historyText->SetText(content);
}

}  // namespace vb::tools
