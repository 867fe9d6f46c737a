// Every window built from its table: every control bound and placed, the
// language keys consistent, the main window's pages laid out without overlap,
// every routine the run calls implemented, every setting and item tied to a box.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/form1.h"
#include "app/form1_pages.h"
#include "app/form1_settings.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/warning_window.h"
#include "engine/items.h"
#include "platform/ascii_case.h"
#include "support/temp_machine.h"

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

// Each row makes its control, a shown control sits inside the window, each
// key is in the language table's range, and controls that share a key share
// the text it replaces.
void CheckTable(const toolkit::Form& form, const toolkit::WindowTable& table) {
  std::map<int, std::string> texts;
  auto sameText = [&](int key, const std::string& text, const std::string& name) {
    if (key == 0) return;
    EXPECT_GT(key, 0) << name;
    EXPECT_LT(key, 1000) << name;
    auto [it, added] = texts.emplace(key, text);
    EXPECT_TRUE(added || it->second == text) << "key " << key << " on " << name;
  };
  for (const auto& row : table.rows) {
    toolkit::Control* control = form.Find(row.spec.name);
    ASSERT_NE(control, nullptr) << row.spec.name;
    EXPECT_EQ(control->kind(), row.kind);
    EXPECT_EQ(control->CaptionKey(), row.spec.key) << row.spec.name;
    sameText(row.spec.key, control->Caption(), row.spec.name);
    sameText(row.spec.toolTipKey, control->ToolTipText(), row.spec.name);
    if (!row.spec.visible || row.kind == Kind::kMenu || row.kind == Kind::kMenuItem) continue;
    const Rect& r = control->Position();
    EXPECT_GT(r.width, 0) << row.spec.name << " has no place";
    EXPECT_LE(r.left + r.width, form.ClientWidth()) << row.spec.name;
    EXPECT_LE(r.top + r.height, form.ClientHeight()) << row.spec.name;
  }
  EXPECT_EQ(form.Controls().size(), table.rows.size());
}

class WindowsTest : public ::testing::Test {
 protected:
  test::TempMachine m;
  app::Program program{m.platform()};
};

TEST_F(WindowsTest, EveryWindowIsBuiltFromItsTables) {
  toolkit::Application app(m.platform());
  std::vector<std::unique_ptr<toolkit::Form>> forms;
  std::set<std::string> names;  // a script names a window by its form's name
  for (const toolkit::WindowTable& table : app::WindowTables()) {
    forms.push_back(table.build(app));
    EXPECT_EQ(forms.back()->name(), table.name);
    EXPECT_TRUE(names.insert(platform::FoldAscii(forms.back()->name())).second);
    SCOPED_TRACE(forms.back()->name());
    CheckTable(*forms.back(), table);
  }
  // A sample of members, one per kind, reached without a name.
  auto& main = dynamic_cast<app::Form1&>(*forms.front());
  EXPECT_EQ(&main.ItemBox(engine::Item::kSysTemp), main.Find("SysTemp"));
  EXPECT_EQ(main.removeAllItem, main.Find("rallmnu"));
  auto& warning = dynamic_cast<app::WarningForm&>(*forms.at(1));
  EXPECT_EQ(warning.okButton, warning.DefaultButton());
  // Every menu item sits in its menu's list, in table order.
  EXPECT_EQ(main.cacheMenu->Items().size(), 8u);
  EXPECT_EQ(main.cacheMenu->Items()[4], main.deleteSelectedCacheItem);
}

TEST_F(WindowsTest, EveryPageIsLaidOutWithoutOverlapAtItsDesignAndOpeningSizes) {
  toolkit::Application app(m.platform());
  app::Form1 form(app);
  app::Form1Pages pages(form);
  form.Show();
  const Rect results = form.resultsText->Position(), exit = form.exitButton->Position();
  for (int size = 0; size < 2; ++size) {
    if (size == 1) {
      // The window opens larger: the results box takes the room, Exit keeps its corner.
      form.Resize(form.OpenWidth(), form.OpenHeight());
      const int dx = form.OpenWidth() - app::kForm1ClientWidth;
      const int dy = form.OpenHeight() - app::kForm1ClientHeight;
      EXPECT_EQ(form.resultsText->Position().width, results.width + dx);
      EXPECT_EQ(form.resultsText->Position().height, results.height + dy);
      EXPECT_EQ(form.exitButton->Position().left, exit.left + dx);
      EXPECT_EQ(form.exitButton->Position().top, exit.top + dy);
      form.Resize(0, 0);  // never below the design size
      EXPECT_EQ(form.ClientWidth(), app::kForm1ClientWidth);
      form.Resize(form.OpenWidth(), form.OpenHeight());
    }
    for (int page = 0; page < 5; ++page) {
      app::SwitchPage(form, pages, static_cast<app::Page>(page));
      for (int tab = 0; tab < (page == 4 ? 5 : 1); ++tab) {
        if (page == 4) app::ShowOptionTab(pages, tab);
        std::vector<toolkit::Control*> shown;
        for (const auto& c : form.Controls())
          if (c->Shown() && c->kind() != Kind::kShape && c->kind() != Kind::kMenu)
            shown.push_back(c.get());
        ASSERT_GT(shown.size(), 10u);
        for (std::size_t i = 0; i < shown.size(); ++i) {
          const Rect& a = shown[i]->Position();
          EXPECT_LE(a.left + a.width, form.ClientWidth()) << shown[i]->name();
          EXPECT_LE(a.top + a.height, form.ClientHeight()) << shown[i]->name();
          for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const Rect& b = shown[j]->Position();
            if (Overlap(a, b)) {
              EXPECT_TRUE(Inside(a, b) || Inside(b, a))
                  << "page " << page << " tab " << tab << ": " << shown[i]->name() << " and "
                  << shown[j]->name() << " overlap";
            }
          }
        }
      }
    }
  }
}

TEST_F(WindowsTest, EveryRoutineSettingAndItemIsBound) {
  program.Start("");
  const engine::RoutineTable& routines = program.Main().Routines();
  EXPECT_TRUE(routines.Missing().empty());
  std::set<engine::Item> guarded;
  for (const engine::Stage& stage : engine::StageTable()) {
    if (stage.item) {
      EXPECT_TRUE(guarded.insert(*stage.item).second);
    }
    for (const engine::StageStep& step : stage.steps) {
      if (step.kind == engine::StageStep::kRoutine) {
        EXPECT_TRUE(routines.Has(step.routine)) << engine::RoutineName(step.routine);
      }
    }
  }
  EXPECT_EQ(guarded.size(), static_cast<std::size_t>(engine::Item::kCount));

  app::Form1& form = program.Main().form();
  std::set<toolkit::CheckBox*> boxes;
  std::set<std::string> values;
  for (const app::BoxSetting& row : app::BoxSettings()) {
    EXPECT_TRUE(boxes.insert(&row.BoxOf(form)).second) << row.value;
    EXPECT_TRUE(values.insert(platform::FoldAscii(row.value)).second) << row.value;
    EXPECT_EQ(row.store == app::StoreForm::kWarnedFlag, row.warning != nullptr) << row.value;
  }
  // Each item's row is found by its item, its box sits in a place of its own,
  // and the box is the one the window's table builds, with its setting.
  std::set<int> places;
  for (std::size_t i = 0; i < engine::ItemRows().size(); ++i) {
    const engine::ItemRow& row = engine::ItemRows()[i];
    EXPECT_EQ(static_cast<std::size_t>(row.item), i) << row.control;
    EXPECT_TRUE(places.insert(row.place).second) << row.control;
    EXPECT_EQ(form.ItemBox(row.item).name(), row.control);
    EXPECT_EQ(form.ItemBox(row.item).Caption(), row.caption) << row.control;
    EXPECT_TRUE(boxes.count(&form.ItemBox(row.item))) << "an item box without a setting";
  }
  EXPECT_EQ(engine::ItemRows().size(), engine::kItemCount);
  EXPECT_EQ(*places.rbegin(), 2 * engine::kItemRowsPerSet - 1);
}

}  // namespace
}  // namespace vb
