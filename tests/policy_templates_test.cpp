// The Group Policy templates: the files of policies/ are what the program
// makes of its settings table and language files; they are well-formed XML
// whose every string, presentation and element reference resolves; and the
// program reads each policy's key and value as the template writes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/form1_settings.h"
#include "app/group_policy.h"
#include "app/program.h"
#include "cli/policy_verb.h"
#include "platform/registry_values.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

namespace fs = std::filesystem;
using namespace vb::win;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Balanced tags, quoted attributes and known entities: what a template broken
// by the generator or by hand would lack.
std::string XmlFault(const std::string& xml) {
  std::vector<std::string> open;
  for (std::size_t at = 0; (at = xml.find('&', at)) != std::string::npos; ++at)
    if (!std::regex_search(xml.begin() + static_cast<long>(at), xml.end(),
                           std::regex("^&(amp|lt|gt|quot|apos);")))
      return "a bare & at " + std::to_string(at);
  for (std::size_t at = 0; (at = xml.find('<', at)) != std::string::npos;) {
    std::size_t end = xml.find('>', at);
    if (end == std::string::npos) return "a tag never ended";
    std::string tag = xml.substr(at + 1, end - at - 1);
    at = end + 1;
    if (std::count(tag.begin(), tag.end(), '"') % 2) return "odd quotes in <" + tag + ">";
    if (tag[0] == '?') continue;
    std::string name = tag.substr(tag[0] == '/', tag.find_first_of(" \n/", 1) - (tag[0] == '/'));
    if (tag[0] == '/') {
      if (open.empty() || open.back() != name) return "</" + name + "> closes nothing open";
      open.pop_back();
    } else if (tag.back() != '/') {
      open.push_back(name);
    }
  }
  return open.empty() ? "" : "<" + open.back() + "> never closed";
}

std::set<std::string> All(const std::string& text, const std::string& pattern) {
  std::set<std::string> found;
  std::regex re(pattern);
  for (auto m = std::sregex_iterator(text.begin(), text.end(), re); m != std::sregex_iterator(); ++m)
    found.insert((*m)[1]);
  return found;
}

class PolicyTemplates : public ::testing::Test {
 protected:
  void SetUp() override {
    out = fs::path(m.folder()) / "templates";
    std::istringstream in;
    std::ostringstream sink, err;
    app::Program program(m.platform());
    ASSERT_EQ(cli::RunPolicyVerb(program, &m.machine().Script(), {"templates", out.string()},
                                 {in, sink, err}),
              0)
        << err.str();
    admx = Read(out / "vanbrisk.admx");
  }
  test::TempMachine m;
  fs::path out;
  std::string admx;
  const std::vector<std::string> cultures = {"en-US", "de-DE", "fr-FR", "es-ES"};
};

TEST_F(PolicyTemplates, TheShippedFilesAreWhatTheProgramMakes) {
  std::set<std::string> made, shipped;
  for (const fs::path& root : {out, fs::path(VANBRISK_POLICIES_FOLDER)})
    for (const auto& entry : fs::recursive_directory_iterator(root))
      if (entry.is_regular_file())
        (root == out ? made : shipped).insert(fs::relative(entry.path(), root).generic_string());
  EXPECT_EQ(made, shipped);
  for (const std::string& file : made)
    EXPECT_EQ(Read(out / file), Read(fs::path(VANBRISK_POLICIES_FOLDER) / file))
        << file << " is stale: vanbrisk-cli policy templates policies makes it anew";
}

TEST_F(PolicyTemplates, AreWellFormedAndEveryReferenceResolves) {
  EXPECT_EQ(XmlFault(admx), "");
  std::set<std::string> strings = All(admx, R"re(\$\(string\.([A-Za-z0-9_]+)\))re");
  std::set<std::string> presentations = All(admx, R"re(\$\(presentation\.([A-Za-z0-9_]+)\))re");
  std::set<std::string> elements = All(admx, R"re(<(?:list|text) id="([^"]+)")re");
  ASSERT_GT(strings.size(), app::BoxSettings().size());
  for (const std::string& culture : cultures) {
    SCOPED_TRACE(culture);
    std::string adml = Read(out / culture / "vanbrisk.adml");
    EXPECT_EQ(XmlFault(adml), "");
    EXPECT_EQ(All(adml, R"re(<string id="([^"]+)")re"), strings);
    EXPECT_EQ(All(adml, R"re(<presentation id="([^"]+)")re"), presentations);
    EXPECT_EQ(All(adml, R"re(refId="([^"]+)")re"), elements);
  }
  // The translations are the language files': one caption in German.
  EXPECT_NE(Read(out / "de-DE" / "vanbrisk.adml").find("Tempor\u00e4re Systemdateien"),
            std::string::npos);
}

// Each policy written as Group Policy writes it, in the machine's key: the
// program reads it, and every box with a setting has its policy.
TEST_F(PolicyTemplates, TheProgramReadsEachPolicyAsTheTemplateWritesIt) {
  std::regex policyTag(R"re(<policy name="([^"]+)"[^>]* key="([^"]+)"(?: valueName="([^"]+)")?>)re");
  std::set<std::string> boxValues;
  auto& registry = m.platform().Registry();
  for (auto p = std::sregex_iterator(admx.begin(), admx.end(), policyTag);
       p != std::sregex_iterator(); ++p) {
    std::string name = (*p)[1], key = (*p)[2];
    std::string value = std::regex_replace(std::string((*p)[3]), std::regex("&quot;"), "\"");
    SCOPED_TRACE(name);
    EXPECT_EQ(key, app::kPolicyKey);
    if (name.rfind("Box_", 0) == 0) {
      boxValues.insert(value);
      for (DWORD state : {1u, 0u}) {
        ASSERT_EQ(platform::WriteDword(registry, kHkeyLocalMachine, key, value, state), 0);
        EXPECT_EQ(app::ReadGroupPolicy(registry).Box(value), static_cast<int>(state));
      }
    } else if (name == "Warning") {
      ASSERT_EQ(platform::WriteDword(registry, kHkeyLocalMachine, key, value, 1), 0);
      EXPECT_TRUE(app::ReadGroupPolicy(registry).warningAccepted);
    } else if (name == "Entries") {
      ASSERT_EQ(platform::WriteDword(registry, kHkeyLocalMachine, key, value, 1), 0);
      ASSERT_EQ(platform::WriteString(registry, kHkeyLocalMachine, app::kPolicyEntriesKey, "1",
                                      "MS Paint"),
                0);
      EXPECT_EQ(app::ReadGroupPolicy(registry).entries, std::vector<std::string>{"MS Paint"});
    } else {
      ASSERT_EQ(name, "Language");
      ASSERT_EQ(platform::WriteString(registry, kHkeyLocalMachine, key, app::kLanguagePolicy,
                                      "German"),
                0);
      EXPECT_EQ(app::ReadGroupPolicy(registry).language, "German");
    }
  }
  for (const app::BoxSetting& row : app::BoxSettings())
    EXPECT_TRUE(boxValues.count(row.value)) << row.value << " has no policy";
}

}  // namespace
}  // namespace vb
