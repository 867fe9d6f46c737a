#include "app/form1_layout.h"

#include "app/form1.h"

namespace vb::app {

namespace {

// The page area right of the page buttons, below the banner.
constexpr int X0 = 120, Y0 = 64, W = 536, H = 360;

// Rows of check boxes inside a frame.
toolkit::Rect Row(int x, int y, int i, int width = 200) { return {x, y + i * 22, width, 20}; }

}  // namespace

const std::vector<toolkit::Placement>& Form1Layout() {
  static const std::vector<toolkit::Placement> layout = [] {
    std::vector<toolkit::Placement> p = {
        // Always shown.
        {"Picture1", {8, 8, 100, 48}},
        {"Label1", {X0, 8, W, 48}},
        {"Shape1", {0, 60, kForm1ClientWidth, 2}},
        {"Shape2", {112, 64, 2, 400}},
        {"Shape3", {0, 428, kForm1ClientWidth, 2}},
        {"Line1", {X0, 88, W, 1}},
        {"Command3", {X0, 438, 112, 28}},
        {"Command2", {X0 + 120, 438, 96, 28}},
        {"Command1", {X0 + W - 96, 438, 96, 28}},

        // Cleaner page.
        {"Cleaner", {X0, Y0, 300, H}},
        {"ProgressBar1", {X0 + 8, Y0 + 8, 284, 18}},
        {"Text1", {X0 + 8, Y0 + 32, 284, H - 40}},
        {"Frame1", {X0 + 308, Y0, 228, 196}},
        {"Command4", {X0 + 308 + 168, Y0 + 170, 52, 22}},
        {"Command5", {X0 + 308 + 168, Y0 + 170, 52, 22}},
        {"Frame2", {X0 + 308, Y0 + 198, 228, 126}},
        {"AnalyCom", {X0 + 308, Y0 + 330, 110, 30}},
        {"CleanCom", {X0 + 308 + 118, Y0 + 330, 110, 30}},

        // Applications page.
        {"Applications", {X0, Y0, W, H}},
        {"Label9", {X0 + 8, Y0 + 8, W - 16, 18}},
        {"TabStrip2", {X0 + 8, Y0 + 30, W - 16, H - 38}},

        // Internet page.
        {"Internet", {X0, Y0, W, 26}},
        {"Label2", {X0 + 8, Y0 + 4, 200, 18}},
        {"Frame4", {X0, Y0 + 30, 264, 160}},
        {"ListView2", {X0 + 8, Y0 + 48, 248, 134}},
        {"Frame5", {X0 + 272, Y0 + 30, 264, 160}},
        {"ListView1", {X0 + 280, Y0 + 48, 248, 134}},
        {"Frame3", {X0, Y0 + 196, W, 124}},
        {"Text2", {X0 + 8, Y0 + 214, W - 16, 98}},
        {"CleanIE", {X0, Y0 + 328, 128, 30}},
        {"SLF", {X0 + 136, Y0 + 328, 128, 30}},
        {"DelCache", {X0 + 272, Y0 + 328, 128, 30}},
        {"DelCook", {X0 + 408, Y0 + 328, 128, 30}},

        // Tools page.
        {"Tools", {X0, Y0, W, H}},
        {"Frame8", {X0 + 8, Y0 + 8, W - 16, 64}},
        {"Diag", {X0 + 20, Y0 + 30, 150, 30}},
        {"Start", {X0 + 180, Y0 + 30, 150, 30}},
        {"Frame7", {X0 + 8, Y0 + 84, W - 16, 64}},
        {"DClean", {X0 + 20, Y0 + 106, 150, 30}},
        {"RegEdit", {X0 + 180, Y0 + 106, 150, 30}},
        {"CPanel", {X0 + 340, Y0 + 106, 150, 30}},
        {"Frame6", {X0 + 8, Y0 + 160, W - 16, 64}},
        {"DXDiag", {X0 + 20, Y0 + 182, 150, 30}},
        {"CPrompt", {X0 + 180, Y0 + 182, 150, 30}},
        {"TMan", {X0 + 340, Y0 + 182, 150, 30}},

        // Options page: the tab strip with one option frame in its page.
        {"Options", {X0, Y0, W, H}},
        {"TabStrip3", {X0 + 8, Y0 + 8, W - 16, H - 16}},
        {"CleanO", {X0 + 16, Y0 + 40, W - 32, H - 56}},
        {"Check1", Row(X0 + 28, Y0 + 60, 0, 300)},
        {"Check2", Row(X0 + 28, Y0 + 60, 1, 300)},
        {"Check3", Row(X0 + 28, Y0 + 60, 2, 300)},
        {"Label3", {X0 + 28, Y0 + 136, W - 60, 44}},
        {"CookO", {X0 + 16, Y0 + 40, W - 32, H - 56}},
        {"Label", {X0 + 28, Y0 + 58, 200, 18}},
        {"LV1", {X0 + 28, Y0 + 78, 210, 180}},
        {"SC", {X0 + 246, Y0 + 120, 36, 26}},
        {"RC", {X0 + 246, Y0 + 154, 36, 26}},
        {"Label5", {X0 + 290, Y0 + 58, 200, 18}},
        {"LV2", {X0 + 290, Y0 + 78, 210, 180}},
        {"Text3", {X0 + 28, Y0 + 266, 472, 22}},
        {"IEO", {X0 + 16, Y0 + 40, W - 32, H - 56}},
        {"Check4", Row(X0 + 28, Y0 + 60, 0, 320)},
        {"Check5", Row(X0 + 28, Y0 + 60, 1, 320)},
        {"PerO", {X0 + 16, Y0 + 40, W - 32, H - 56}},
        {"Label6", {X0 + 28, Y0 + 58, W - 60, 18}},
        {"LV", {X0 + 28, Y0 + 78, W - 60, 150}},
        {"Check8", {X0 + 28, Y0 + 234, W - 60, 20}},
        {"Label8", {X0 + 28, Y0 + 256, W - 60, 18}},
        {"AFol", {X0 + 28, Y0 + 280, 88, 26}},
        {"AFil", {X0 + 122, Y0 + 280, 88, 26}},
        {"AReg", {X0 + 216, Y0 + 280, 88, 26}},
        {"RSel", {X0 + 310, Y0 + 280, 100, 26}},
        {"RAll", {X0 + 416, Y0 + 280, 84, 26}},
        {"AdvO", {X0 + 16, Y0 + 40, W - 32, H - 56}},
        {"Check10", Row(X0 + 28, Y0 + 60, 0, 460)},
        {"Check6", Row(X0 + 28, Y0 + 60, 1, 460)},
        {"Check7", Row(X0 + 28, Y0 + 60, 2, 460)},
        {"Check9", Row(X0 + 28, Y0 + 60, 3, 460)},
        {"Label7", {X0 + 28, Y0 + 160, 70, 18}},
        {"Combo1", {X0 + 100, Y0 + 156, 180, 22}},  // the closed box; its list drops below
        {"Label10", {X0 + 28, Y0 + 196, 300, 18}},
        {"Label11", {X0 + 28, Y0 + 216, W - 60, 36}},
    };
    // The two sets of item boxes share the rows of their frame.
    const char* first[] = {"SysTemp", "ietemp", "Cook", "Pref", "rdocs", "RBin", "TAP"};
    const char* second[] = {"idat", "memdumps", "winlog", "ExMRUs", "ieurlhist", "tnotif", "wcache"};
    for (int i = 0; i < 7; ++i) {
      p.push_back({first[i], Row(X0 + 320, Y0 + 18, i)});
      p.push_back({second[i], Row(X0 + 320, Y0 + 18, i)});
    }
    const char* options[] = {"VnbStartup", "HWM", "HWC", "CBD", "CAC"};
    for (int i = 0; i < 5; ++i) p.push_back({options[i], Row(X0 + 320, Y0 + 214, i)});
    // The page buttons in a column; both looks of a button share its place.
    const char* pages[][2] = {{"ct1", "ct2"}, {"at1", "at2"}, {"iet1", "iet2"}, {"tt1", "tt2"}, {"ot1", "ot2"}};
    for (int i = 0; i < 5; ++i)
      for (const char* look : pages[i]) p.push_back({look, {8, Y0 + 8 + i * 64, 100, 56}});
    // The application lists fill the tab strip's page.
    for (const char* list : {"Appl", "IE", "MM", "Util", "Win"})
      p.push_back({list, {X0 + 16, Y0 + 60, W - 32, H - 76}});
    return p;
  }();
  return layout;
}

}  // namespace vb::app
