// The script driver: line parsing, names, what each command does to which
// control, what a user cannot reach, and print formats. It drives a small
// program of toolkit windows built here.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>
#include <streambuf>

#include "cli/script_driver.h"
#include "platform/scripted_ui.h"
#include "support/script_toy.h"
#include "support/temp_machine.h"

namespace vb {
namespace {

using namespace toolkit;
using test::Toy;

struct Ran {
  int code;
  std::string out, err;
};

class ScriptDriver : public ::testing::Test {
 protected:
  // Runs a script on a toy that is not running.
  Ran Run(const std::string& script, bool withUi = true) {
    if (toy.Running()) toy.App()->End();
    std::istringstream in(script), stdinStream;
    std::ostringstream out, err;
    int code = cli::RunScript(toy, withUi ? &machine.machine().Script() : nullptr, in,
                              {stdinStream, out, err});
    return {code, out.str(), err.str()};
  }
  test::TempMachine machine;
  Toy toy{machine.platform()};
};

TEST_F(ScriptDriver, ParsesCommentsQuotesAndTextToTheEndOfTheLine) {
  Ran r = Run("\xEF\xBB\xBF# a comment\r\n\n   \t\nstart  a \"b c\"  \r\n"
              "  # indented comment\n"
              "TYPE text1   hello   world  \n"
              "print Text1\n"
              "type Text1 \"  padded \"\"quoted\"\" \"\n"
              "print Text1\n"
              "type Text1 say \"hi\" twice\n"
              "print Text1\n"
              "type Text1\n"
              "print \"Text1\"\n");
  ASSERT_EQ(r.code, cli::kExitOk) << r.err;
  EXPECT_EQ(toy.commandLines, std::vector<std::string>{"a \"b c\""});
  EXPECT_EQ(r.out, "hello   world\n  padded \"quoted\" \nsay \"hi\" twice\n\n");
}

TEST_F(ScriptDriver, EachCommandActsOnItsControl) {
  Ran r = Run("start\nclick Go\nkey Go 13\ntick Opt\ntick Opt\nuntick Opt\nclick Opt\n"
              "type Text1 new text\ncheck List1 beta\nuncheck List1 Beta\nchoose List1 Alpha\n"
              "check View1 Cookies\nchoose View1 cookies\nchoose Combo1 Two\ntype Combo1 free\n"
              "tab Tabs general\ntab Tabs Advanced\n"
              "rightclick Pop\nchoose mnuPop open\nrightclick Pop\nclick mnuOpen\n");
  ASSERT_EQ(r.code, cli::kExitOk) << r.err;
  EXPECT_EQ(toy.events, (std::vector<std::string>{
                            "Go", "key 13", "Opt 1", "Opt 0", "Opt 1", "Text1 new text",
                            "check Beta on", "check Beta off", "List1 click 0", "View1 item 1",
                            "Combo1 Two", "tab 0", "tab 1", "Open", "Open"}));
  Form& f = toy.Main();
  EXPECT_TRUE(dynamic_cast<ListView&>(*f.Find("View1")).ItemAt(1).checked);
  EXPECT_EQ(dynamic_cast<ComboBox&>(*f.Find("Combo1")).Text(), "free");
  EXPECT_EQ(f.OpenPopup(), nullptr);
}

// Names of windows and of their controls, letter case ignored.
TEST_F(ScriptDriver, PrintsEachKindOfControlAndItsProperties) {
  Ran r = Run("start\nprint Text1\nprint List1\nprint View1\nprint Bar\nprint Combo1\n"
              "print Tabs\nprint mnuPop\nprint Label1\nprint Label1.tooltip\nprint Off.enabled\n"
              "print Frame1.visible\nprint Inner.visible\nprint Bar.value\ntick Opt\n"
              "print Opt.value\nprint List1.count\ncheck List1 Beta\ncheck View1 Temp\n"
              "print List1.checked\nprint View1.checked\nprint Tabs.index\nprint Combo1.index\n"
              "print Form1.enabled\nprint form1.GO\nprint Go.caption\nprint FORM1\nclick showwarn\n"
              "print warning.okbutton.visible\nprint Warning.caption\n");
  ASSERT_EQ(r.code, cli::kExitOk) << r.err;
  EXPECT_EQ(r.out,
            "one\ntwo\n"
            "Alpha\nBeta\n"
            "Temp\t12 KB\tC:\\Temp\nCookies\t3 KB\n"
            "40\n\n&General\n&Open\n-\nGone\nReady\nstatus\nFalse\nFalse\nTrue\n40\n1\n2\n"
            "Beta\nTemp\t12 KB\tC:\\Temp\n0\n-1\nTrue\n&Go\n&Go\nToy\nTrue\nWarning\n");
}

TEST_F(ScriptDriver, FollowsTheProgramFromStartToEndAndAgain) {
  Ran r = Run("start\nclick ShowWarn\nclick Warning.OKButton\nprint Warning.visible\n"
              "click ShowWarn\nunload Warning\nunload\nanswer yes\nstart again\nclick Ask\n"
              "click Ask\nunload form1\nanswer C:\\My Files\\a.reg\n");
  ASSERT_EQ(r.code, cli::kExitOk) << r.err;
  EXPECT_EQ(r.out, "False\n");
  EXPECT_EQ(toy.events,
            (std::vector<std::string>{"OK", "unload Form1", "yes", "no", "unload Form1"}));
  EXPECT_EQ(toy.commandLines.back(), "again");
  EXPECT_EQ(r.err, "note: 1 queued answer was not asked for\n");
  EXPECT_FALSE(toy.Running());
  // A script may leave the program running.
  ASSERT_EQ(Run("start\n").code, cli::kExitOk);
  EXPECT_TRUE(toy.Running());
}

// Each refusal names the line and the reason, and the script stops there.
TEST_F(ScriptDriver, RefusesWhatIsMalformedUnknownOrOutOfTheUsersReach) {
  const std::pair<const char*, const char*> kRefused[] = {
      {"click Go\n", "line 1: no program is running; start it first"},  // before any start
      {"start\nclick \"Go\n", "line 2: a quote is not closed"},
      {"start\n\n# x\njump Go\n", "line 4: unknown command 'jump'"},
      {"start\nclick\n", "line 2: click needs a name"},
      {"start\nclick Go Off\n", "line 2: click takes one name; 'Off' is too much"},
      {"start\nkey Go\n", "line 2: key needs a name and a key code"},
      {"start\nkey Go 1x\n", "line 2: the key code '1x' is not a decimal number"},
      {"start\ntab Tabs\n", "line 2: tab needs a name and a tab caption"},
      {"answer\n", "line 1: answer needs yes, no, ok, cancel or a path"},
      {"start\nprint Nope\n", "line 2: unknown name Nope"},
      {"start\nprint Go.size\n", "line 2: Go has no property size"},
      {"start\nclick Other.Go\n", "line 2: unknown window Other"},
      {"start\nclick Form1.Nope\n", "line 2: unknown name Form1.Nope"},
      {"start\nprint Nope.visible\n", "line 2: unknown name Nope"},
      {"start\nprint Go.value\n", "line 2: Go is a button; it has no value"},
      {"start\nprint Go.count\n", "line 2: Go is a button; it has no count"},
      {"start\nprint Plain.checked\n", "line 2: Plain has no check boxes"},
      {"start\nprint Form1.tooltip\n", "line 2: Form1 is a window; it has no such property"},
      {"start\nclick Off\n", "line 2: Off is disabled"},
      {"start\n\nclick Inner\n", "line 3: Inner is in Frame1, which is hidden"},
      {"start\nclick Frame1\n", "line 2: Frame1 is hidden"},
      {"start\nchoose mnuPop Open\n", "line 2: mnuPop is not open"},
      {"start\nrightclick Pop\nchoose mnuPop Gone\n", "line 3: mnuPop item Gone is disabled"},
      {"start\nrightclick Pop\nclick mnuSep\n", "line 3: mnuSep is a separator"},
      // Another action closes the popup.
      {"start\nrightclick Pop\nclick Go\nclick mnuOpen\n",
       "line 4: mnuOpen is in mnuPop, which is not open"},
      // The owned Warning disables Form1 until it goes.
      {"start\nclick ShowWarn\nclick Go\n", "line 3: Form1 is disabled"},
      {"start\nclick ShowWarn\nunload\n", "line 3: Form1 is disabled"},
      {"start\nclick ShowWarn\nclick Warning.OKButton\nclick Warning.OKButton\n",
       "line 4: the window Warning is closed"},
      {"start\nclick ShowWarn\nunload Warning\nprint Warning\n",
       "line 4: the window Warning is closed"},
      {"start\ntick Go\n", "line 2: tick needs a check box; Go is a button"},
      {"start\ntype Locked x\n", "line 2: Locked is read-only"},
      {"start\ncheck Plain x\n", "line 2: Plain has no check boxes"},
      {"start\ncheck List1 Gamma\n", "line 2: List1 has no row Gamma"},
      {"start\ntab Tabs Extra\n", "line 2: Tabs has no tab Extra"},
      {"start\nrightclick Pop\nclick mnuPop\n",
       "line 3: mnuPop is a menu; choose one of its items (choose mnuPop CAPTION)"},
      {"start\nclick Form1\n", "line 2: click needs a control; Form1 is a window"},
      {"start\nunload Go\n", "line 2: unload needs a window; Go is a control"},
      {"start\nclick Broken\n", "line 2: the program failed: no control Foo"},
      {"start\nstart\n", "line 2: the program is already running"},
      {"start\nclick Quit\nprint Go\n", "line 3: the program has ended"},
      {"start /QUIT\nclick Go\n", "line 2: the program has ended"},
  };
  for (auto [script, reason] : kRefused) {
    Ran r = Run(script);
    EXPECT_EQ(r.code, cli::kExitFailed) << script;
    EXPECT_EQ(r.err, std::string(reason) + "\n") << script;
  }
  Ran none = Run("answer yes\n", false);
  EXPECT_EQ(none.code, cli::kExitFailed);
  EXPECT_EQ(none.err, "line 1: answer: this platform takes no queued answers\n");
}

// A script has limits: a line of 64 KiB (a device or a binary file has no
// line end), what a refusal repeats, and a stream that fails to read.
TEST_F(ScriptDriver, BoundsLinesAndWhatARefusalRepeatsAndReportsAReadError) {
  const std::string longest = "type Text1 " + std::string(65536 - 11, 'a');
  Ran fits = Run("start\n" + longest + "\r\nprint Text1\n");
  EXPECT_EQ(fits.code, cli::kExitOk) << fits.err.substr(0, 100);
  EXPECT_EQ(fits.out, std::string(65536 - 11, 'a') + "\n");
  Ran over = Run("start\n" + longest + "b\nprint Text1\n" + std::string(1 << 20, '\0'));
  EXPECT_EQ(over.code, cli::kExitFailed);
  EXPECT_EQ(over.err, "line 2: longer than 65536 characters\n");
  EXPECT_EQ(over.out, "");

  // The refusal names what it refuses, cut after 200 bytes, never inside a
  // UTF-8 character.
  Ran named = Run("start\nclick " + std::string(199 - 13, 'x') + "\xC3\xA9" + std::string(5000, 'y') +
                  "\n");
  EXPECT_EQ(named.code, cli::kExitFailed);
  EXPECT_EQ(named.err, "line 2: unknown name " + std::string(199 - 13, 'x') + "...\n");

  // A read error ends the run as a failure, not as the end of the script.
  struct FailingBuffer : std::streambuf {
    int_type underflow() override { throw std::ios_base::failure("read error"); }
  } failing;
  std::istream broken(&failing), stdinStream(nullptr);
  std::ostringstream out, err;
  EXPECT_EQ(cli::RunScript(toy, nullptr, broken, {stdinStream, out, err}), cli::kExitFailed);
  EXPECT_EQ(err.str(), "line 1: the script could not be read\n");
}

}  // namespace
}  // namespace vb
