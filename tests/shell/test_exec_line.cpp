// Desktop entry command lines: what is written is read back as the same arguments.
#include <gtest/gtest.h>

#include "app/shell/ExecLine.h"

TEST(ExecLine, ArgumentsSurviveQuotingAndReading) {
  const std::vector<std::string> nasty = {
      "/opt/Lumi vex/bin/lumivex", "a\"b", "back\\slash", "$HOME", "`cmd`", "50%", "semi;colon",
      "tab\there", "new\nline", "plain", "'single'"};
  const std::string value = ExecValue(nasty, "%F");
  std::vector<std::string> back = SplitExecValue(value);
  ASSERT_EQ(back.size(), nasty.size() + 1);
  EXPECT_EQ(back.back(), "%F");
  back.pop_back();
  EXPECT_EQ(back, nasty);
  // Nothing of the value breaks the line of the desktop entry.
  EXPECT_EQ(value.find('\n'), std::string::npos);
}

TEST(ExecLine, QuotingFollowsTheDesktopEntryRules) {
  EXPECT_EQ(QuoteExecArgument("/usr/bin/lumivex"), "/usr/bin/lumivex");
  EXPECT_EQ(QuoteExecArgument("/a b/x"), "\"/a b/x\"");
  EXPECT_EQ(QuoteExecArgument("a$b"), "\"a\\$b\"");
  EXPECT_EQ(QuoteExecArgument("100%"), "100%%");
  // The backslash of the quoting rule is escaped again as a string value.
  EXPECT_EQ(ExecValue({"/a\\b"}, "%f"), "\"/a\\\\\\\\b\" %f");
  EXPECT_THROW(SplitExecValue("\"unclosed"), EExecLineError);
}

TEST(ExecLine, FileFieldCodesBecomeOneArgument) {
  const std::string file = "/t/a b;c.jpg";
  EXPECT_EQ(ExpandFileFieldCodes(SplitExecValue("gimp --new %f %i"), file),
            (std::vector<std::string>{"gimp", "--new", file}));
  EXPECT_EQ(ExpandFileFieldCodes(SplitExecValue("\"/opt/my editor\" -x"), file),
            (std::vector<std::string>{"/opt/my editor", "-x", file}));
  EXPECT_EQ(ExpandFileFieldCodes(SplitExecValue("viewer %U"), file),
            (std::vector<std::string>{"viewer", file}));
}
