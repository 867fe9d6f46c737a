// The main window's form, Form1: every control bound once to a typed member,
// built from the tables of form1_controls.cpp and form1_layout.cpp.
#pragma once

#include "toolkit/form.h"
#include "toolkit/form_builder.h"

namespace vb::app {

class Form1 : public toolkit::Form {
 public:
  explicit Form1(toolkit::Application& app);

  // Always shown: the page buttons in their normal look (ending in 2) and
  // their selected look (ending in 1), the banner, the logo, three buttons.
  toolkit::PictureBox *ct1 = nullptr, *ct2 = nullptr, *at1 = nullptr, *at2 = nullptr,
                      *iet1 = nullptr, *iet2 = nullptr, *tt1 = nullptr, *tt2 = nullptr,
                      *ot1 = nullptr, *ot2 = nullptr;
  toolkit::Label* Label1 = nullptr;
  toolkit::PictureBox* Picture1 = nullptr;
  toolkit::Button *Command3 = nullptr, *Command2 = nullptr, *Command1 = nullptr;

  // Never shown: the data holders of the runs.
  toolkit::Label* Label4 = nullptr;
  toolkit::ListBox *L = nullptr, *L2 = nullptr, *List1 = nullptr, *List2 = nullptr,
                   *ListBox = nullptr;
  toolkit::ListView *ListView3 = nullptr, *ListView4 = nullptr, *ListView5 = nullptr,
                    *ListView6 = nullptr;

  // Cleaner page.
  toolkit::Frame* Cleaner = nullptr;
  toolkit::ProgressBar* ProgressBar1 = nullptr;
  toolkit::TextBox* Text1 = nullptr;
  toolkit::Frame* Frame1 = nullptr;
  toolkit::CheckBox *SysTemp = nullptr, *ietemp = nullptr, *Cook = nullptr, *Pref = nullptr,
                    *rdocs = nullptr, *RBin = nullptr, *TAP = nullptr;
  toolkit::CheckBox *idat = nullptr, *memdumps = nullptr, *winlog = nullptr, *ExMRUs = nullptr,
                    *ieurlhist = nullptr, *tnotif = nullptr, *wcache = nullptr;
  toolkit::Button *Command4 = nullptr, *Command5 = nullptr;
  toolkit::Frame* Frame2 = nullptr;
  toolkit::CheckBox *VnbStartup = nullptr, *HWM = nullptr, *HWC = nullptr, *CBD = nullptr,
                    *CAC = nullptr;
  toolkit::Button *AnalyCom = nullptr, *CleanCom = nullptr;

  // Applications page.
  toolkit::Frame* Applications = nullptr;
  toolkit::Label* Label9 = nullptr;
  toolkit::TabStrip* TabStrip2 = nullptr;
  toolkit::ListBox *Appl = nullptr, *IE = nullptr, *MM = nullptr, *Util = nullptr, *Win = nullptr;

  // Internet page.
  toolkit::Frame* Internet = nullptr;
  toolkit::Label* Label2 = nullptr;
  toolkit::Frame *Frame4 = nullptr, *Frame5 = nullptr, *Frame3 = nullptr;
  toolkit::ListView *ListView2 = nullptr, *ListView1 = nullptr;
  toolkit::TextBox* Text2 = nullptr;
  toolkit::Button *CleanIE = nullptr, *SLF = nullptr, *DelCache = nullptr, *DelCook = nullptr;

  // Tools page.
  toolkit::Frame *Tools = nullptr, *Frame8 = nullptr, *Frame7 = nullptr, *Frame6 = nullptr;
  toolkit::Button *Diag = nullptr, *Start = nullptr, *DClean = nullptr, *RegEdit = nullptr,
                  *CPanel = nullptr, *DXDiag = nullptr, *CPrompt = nullptr, *TMan = nullptr;

  // Options page and its five tabs.
  toolkit::Frame* Options = nullptr;
  toolkit::TabStrip* TabStrip3 = nullptr;
  toolkit::Frame *CleanO = nullptr, *CookO = nullptr, *IEO = nullptr, *PerO = nullptr,
                 *AdvO = nullptr;
  toolkit::CheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr, *Check4 = nullptr,
                    *Check5 = nullptr, *Check6 = nullptr, *Check7 = nullptr, *Check8 = nullptr,
                    *Check9 = nullptr, *Check10 = nullptr;
  toolkit::Label *Label3 = nullptr, *Label = nullptr, *Label5 = nullptr, *Label6 = nullptr,
                 *Label8 = nullptr, *Label7 = nullptr, *Label10 = nullptr, *Label11 = nullptr;
  toolkit::ListView *LV1 = nullptr, *LV2 = nullptr, *LV = nullptr;
  toolkit::TextBox* Text3 = nullptr;
  toolkit::Button *SC = nullptr, *RC = nullptr;
  toolkit::Button *AFol = nullptr, *AFil = nullptr, *AReg = nullptr, *RSel = nullptr,
                  *RAll = nullptr;
  toolkit::ComboBox* Combo1 = nullptr;

  // The six popup menus and their items.
  toolkit::Menu *textpopup = nullptr, *listpopup = nullptr, *cachepopup = nullptr,
                *cachepopup2 = nullptr, *lbmnu = nullptr, *PersMenu = nullptr;
  toolkit::MenuItem *mnusave = nullptr, *mnulog = nullptr;
  toolkit::MenuItem *iecache2 = nullptr, *operacache2 = nullptr, *mozff = nullptr,
                    *dscache = nullptr, *refresh1 = nullptr, *cancel1 = nullptr;
  toolkit::MenuItem *iecook = nullptr, *operacook = nullptr, *mozffcook = nullptr,
                    *dscookie = nullptr, *refresh2 = nullptr, *cancel2 = nullptr;
  toolkit::MenuItem *sall = nullptr, *sallt = nullptr, *dall = nullptr, *dallt = nullptr;
  toolkit::MenuItem *afilmnu = nullptr, *afolmnu = nullptr, *aregmnu = nullptr,
                    *rselmnu = nullptr, *rallmnu = nullptr;
};

// The window's tables: controls and menus in creation order, and placements.
const toolkit::FormTable<Form1>& Form1Table();

// The client area, in pixels at 96 DPI.
inline constexpr int kForm1ClientWidth = 664;
inline constexpr int kForm1ClientHeight = 476;

}  // namespace vb::app
