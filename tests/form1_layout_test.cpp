// Every control of the main window has a place, and on each page the controls
// the user sees do not overlap, except a frame or background and what lies in it.
#include <gtest/gtest.h>

#include "app/form1_controls.h"
#include "app/form1_layout.h"
#include "app/form1_pages.h"
#include "support/temp_machine.h"
#include "toolkit/application.h"

namespace vb {
namespace {

using toolkit::Kind;
using toolkit::Rect;

bool Inside(const Rect& a, const Rect& b) {
  return a.left >= b.left && a.top >= b.top && a.left + a.width <= b.left + b.width &&
         a.top + a.height <= b.top + b.height;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(Form1Layout, EveryPageIsLaidOutWithoutOverlap) {
  test::TempMachine m;
  toolkit::Application app(m.platform());
  toolkit::Form form(app, "Form1");
  app::BuildForm1(form);
  form.Show();
  for (const auto& c : form.Controls()) {
    if (c->kind() == Kind::kMenu || c->kind() == Kind::kMenuItem || !c->Visible()) continue;
    const Rect& r = c->Position();
    EXPECT_GT(r.width, 0) << c->name() << " has no place";
    EXPECT_LE(r.left + r.width, app::kForm1ClientWidth) << c->name();
    EXPECT_LE(r.top + r.height, app::kForm1ClientHeight) << c->name();
  }
  for (int page = 0; page < 5; ++page) {
    app::SwitchPage(form, static_cast<app::Page>(page));
    for (int tab = 0; tab < (page == 4 ? 5 : 1); ++tab) {
      if (page == 4) app::ShowOptionTab(form, tab);
      std::vector<toolkit::Control*> shown;
      for (const auto& c : form.Controls())
        if (c->Shown() && c->kind() != Kind::kShape && c->kind() != Kind::kMenu) shown.push_back(c.get());
      ASSERT_GT(shown.size(), 10u);
      for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
          const Rect &a = shown[i]->Position(), &b = shown[j]->Position();
          if (Overlap(a, b))
            EXPECT_TRUE(Inside(a, b) || Inside(b, a))
                << "page " << page << " tab " << tab << ": " << shown[i]->name() << " and "
                << shown[j]->name() << " overlap";
        }
    }
  }
}

}  // namespace
}  // namespace vb
