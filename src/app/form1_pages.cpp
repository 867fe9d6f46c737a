#include "app/form1_pages.h"

#include <algorithm>

namespace vb::app {

Form1Pages::Form1Pages(Form1& f)
    : pageSet{f.Options,  f.Applications, f.Cleaner,  f.Tools,    f.Internet, f.Frame1,
              f.Frame2,   f.Frame3,       f.Frame4,   f.Frame5,   f.Frame6,   f.Frame7,
              f.Frame8,   f.CleanO,       f.CookO,    f.IEO,      f.PerO,     f.AdvO,
              f.CleanCom, f.AnalyCom,     f.Diag,     f.Start,    f.DXDiag,   f.CPrompt,
              f.TMan,     f.DClean,       f.RegEdit,  f.CPanel,   f.AFol,     f.AFil,
              f.AReg,     f.RSel,         f.RAll,     f.CleanIE,  f.SLF,      f.Command4,
              f.Command5, f.DelCache,     f.DelCook},
      pages{{
          {f.ct2, f.ct1, {f.Cleaner, f.Frame1, f.Frame2, f.AnalyCom, f.CleanCom}},
          {f.at2, f.at1, {f.Applications}},
          {f.iet2, f.iet1,
           {f.Internet, f.Frame3, f.Frame4, f.Frame5, f.CleanIE, f.SLF, f.DelCache, f.DelCook}},
          {f.tt2, f.tt1,
           {f.Tools, f.Frame6, f.Frame7, f.Frame8, f.Diag, f.Start, f.DXDiag, f.CPrompt, f.TMan,
            f.DClean, f.RegEdit, f.CPanel}},
          {f.ot2, f.ot1, {f.Options, f.CleanO}},
      }},
      optionFrames{f.CleanO, f.CookO, f.IEO, f.PerO, f.AdvO},
      personalizedButtons{f.AFol, f.AFil, f.AReg, f.RSel, f.RAll},
      firstItems{f.SysTemp, f.ietemp, f.Cook, f.Pref, f.rdocs, f.RBin, f.TAP},
      secondItems{f.idat, f.memdumps, f.winlog, f.ExMRUs, f.ieurlhist, f.tnotif, f.wcache},
      applicationLists{f.Appl, f.IE, f.MM, f.Util, f.Win} {}

namespace {

template <class Container>
bool Holds(const Container& controls, const toolkit::Control* control) {
  return std::find(controls.begin(), controls.end(), control) != controls.end();
}

}  // namespace

void SwitchPage(Form1& form, const Form1Pages& p, Page page) {
  const PageSpec& chosen = p.pages[static_cast<int>(page)];
  for (const PageSpec& other : p.pages) other.selected->SetVisible(&other == &chosen);
  form.ct2->SetVisible(page != Page::kCleaner);
  for (toolkit::Control* member : p.pageSet) {
    bool keep = page == Page::kOptions && Holds(p.optionFrames, member) && member != form.CleanO;
    if (!keep) member->SetVisible(Holds(chosen.shown, member));
  }
  if (page == Page::kCleaner) {
    // The ">>>" / "<<<" button that fits the item set showing.
    bool second = form.idat->Visible();
    form.Command5->SetVisible(second);
    form.Command4->SetVisible(!second);
  }
}

void ShowOptionTab(const Form1Pages& p, int tab) {
  for (int i = 0; i < static_cast<int>(p.optionFrames.size()); ++i)
    p.optionFrames[i]->SetVisible(i == tab);
  for (toolkit::Button* button : p.personalizedButtons) button->SetVisible(tab == 3);
}

}  // namespace vb::app
