// Language files: the key and line rules, choosing a language, and the
// shipped files; cli/language.txt checks refused files and the stored language.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "app/main_window.h"
#include "app/program.h"
#include "base/utf8.h"
#include "language/file_text.h"
#include "language/language_file.h"
#include "platform/scripted_ui.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace vb::toolkit;

constexpr const char* kHeaderLine = "000 VANBRISK LANGUAGE FILE\r\n";

TEST(LanguageKeyTest, FirstThreeCharactersReadAsANumber) {
  EXPECT_EQ(language::KeyOf("005"), 5);
  EXPECT_EQ(language::KeyOf("5  "), 5);
  EXPECT_EQ(language::KeyOf(" 1 2"), 12);
  EXPECT_EQ(language::KeyOf("abc"), 0);
  EXPECT_EQ(language::KeyOf("12a"), 12);
  EXPECT_EQ(language::KeyOf("1.5"), 2);
  EXPECT_EQ(language::KeyOf("2.5"), 2);  // halves to the even neighbour
  EXPECT_EQ(language::KeyOf("9E2"), 900);
  EXPECT_EQ(language::KeyOf("-5 "), std::nullopt);
  EXPECT_EQ(language::KeyOf("1E3"), std::nullopt);
}

TEST(LanguageFileTextTest, LegacyFilesBecomeUtf8OnlyInAUtf8Program) {
  EXPECT_EQ(language::FileText("apr\xE8s \x80 \x81", 65001), "apr\xC3\xA8s \xE2\x82\xAC \xC2\x81");
  EXPECT_EQ(language::FileText("\xEF\xBB\xBF" "000 h\xC3\xA8", 65001), "000 h\xC3\xA8");
  EXPECT_EQ(language::FileText("apr\xE8s", 1252), "apr\xE8s");
  EXPECT_TRUE(IsUtf8("\xD0\x96 \xE6\x8A\xA5 \xF0\x9F\xA7\xB9"));
  EXPECT_FALSE(IsUtf8("\xC0\xAF"));          // an overlong "/"
  EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));      // a surrogate half
  EXPECT_FALSE(IsUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_FALSE(IsUtf8("\xE6\x8A"));          // cut short
}

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { m.machine().Script().SetLog(&boxes); }
  app::Form1& form() { return program.Main().form(); }
  void Write(const std::string& name, const std::string& content) {
    test::WriteHostFile(m.Host("drive_c/Program Files/Vanbrisk/" + name), content);
  }
  // The user picks a language in the box; true when it was refused.
  bool Choose(const std::string& name) {
    form().languageBox->SetText(name);
    form().languageBox->UserClick();
    bool refused = boxes.str().find("Invalid language file.") != std::string::npos;
    EXPECT_EQ(form().languageBox->Text(), refused ? "" : name);
    boxes.str("");
    return refused;
  }
  // Every text of a window that a language key reaches, by key and place.
  static std::map<std::string, std::string> KeyedTexts(const toolkit::Form& f) {
    std::map<std::string, std::string> texts;
    if (f.CaptionKey()) texts["caption " + std::to_string(f.CaptionKey())] = f.Caption();
    for (const auto& c : f.Controls()) {
      if (c->CaptionKey()) texts[c->name() + " " + std::to_string(c->CaptionKey())] = c->Caption();
      if (c->ToolTipKey())
        texts[c->name() + " tip " + std::to_string(c->ToolTipKey())] = c->ToolTipText();
      if (auto* strip = dynamic_cast<TabStrip*>(c.get()))
        for (std::size_t i = 0; i < strip->TabKeys().size(); ++i)
          texts[c->name() + " tab " + std::to_string(strip->TabKeys()[i])] = strip->Tabs()[i];
    }
    return texts;
  }
  std::map<std::string, std::string> KeyedTexts() { return KeyedTexts(form()); }

  test::TempMachine m;
  app::Program program{m.platform()};
  std::ostringstream boxes;
};

TEST_F(LanguageTest, LaterFilesOverwriteOnlyTheKeysTheyName) {
  program.Start("");
  Write("Minimal.lng", kHeaderLine);
  EXPECT_FALSE(Choose("Minimal"));
  // The keys of the first files empty their texts; a file that does not know
  // the keys added later leaves theirs.
  for (const auto& [place, text] : KeyedTexts()) {
    bool added = std::stoi(place.substr(place.rfind(' ') + 1)) >= language::LanguageTable::kFirstAddedKey;
    EXPECT_EQ(text.empty(), !added) << place;
  }
  EXPECT_EQ(form().banner->Caption(), "Vanbrisk");  // no key: never translated

  // "1000": three characters make key 100, the fourth is skipped.
  form().optionTabs->Select(2);
  Write("Second.lng", std::string(kHeaderLine) +
                          "005 Go\r\n015 Ex_it\r\n1000 Thousand\r\n630 Clean\r\n790 First\r\n");
  EXPECT_FALSE(Choose("Second"));
  EXPECT_EQ(form().cleanerPageSelected->Caption(), "Clean");
  EXPECT_EQ(form().optionTabs->Tabs()[0], "First");
  EXPECT_EQ(form().optionTabs->SelectedIndex(), 2);
  EXPECT_EQ(form().runCleanerButton->Caption(), "Go");
  EXPECT_EQ(form().exitButton->Caption(), "Ex\rit");
  EXPECT_EQ(form().closeAfterCleaning->Caption(), " Thousand");

  Write("Third.lng", std::string("; comment\r\n   \r\n\r\n") + kHeaderLine + "010 Look\r\n");
  EXPECT_FALSE(Choose("Third"));
  EXPECT_EQ(form().analyzeButton->Caption(), "Look");
  EXPECT_EQ(form().runCleanerButton->Caption(), "Go");  // the second file's text stays
  // Showing a window reads the chosen file again.
  Write("Third.lng", std::string(kHeaderLine) + "010 Scan\r\n");
  form().aboutButton->UserClick();
  EXPECT_EQ(form().analyzeButton->Caption(), "Scan");
}

TEST_F(LanguageTest, ShippedFilesSetEveryKeyOfEveryWindowAndEnglishRestoresTheDesign) {
  toolkit::Application app(m.platform());
  for (const toolkit::WindowTable& window : app::WindowTables()) {
    std::unique_ptr<Form> f = window.build(app);
    std::map<std::string, std::string> design = KeyedTexts(*f);
    for (const char* name : {"German", "French", "Spanish", "English"}) {
      language::LanguageTable table;
      ASSERT_FALSE(language::LoadLanguage(
          m.platform(), std::string("C:\\Program Files\\Vanbrisk\\") + name + ".lng", table, *f))
          << name;
      for (const auto& [place, text] : KeyedTexts(*f))
        EXPECT_FALSE(table.Entry(std::stoi(place.substr(place.rfind(' ') + 1))).empty())
            << name << ": " << f->name() << " " << place;
      // Windows-1252 in the file, UTF-8 in the program (the emulated machine's code page).
      if (auto* main = dynamic_cast<app::Form1*>(f.get()); main && name == std::string("German")) {
        EXPECT_EQ(main->closeAfterCleaning->Caption(), "Nach dem Bereinigen schlie\xC3\x9F" "en");
      }
    }
    EXPECT_EQ(KeyedTexts(*f), design) << f->name();
  }
}

}  // namespace
}  // namespace vb
