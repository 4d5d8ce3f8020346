// Open macros: splitting, paths that cannot travel, and the queue's delivery rules.
#include <gtest/gtest.h>

#include "app/shell/Macros.h"

TEST(OpenMacros, TwoMacrosOnOneLineSplitAndTheLastWins) {
  const TMacroList macros = SplitMacros("[Open(\"/t/x.jpg\")][Open(\"/t/y.jpg\")]");
  ASSERT_EQ(macros.size(), 2u);
  EXPECT_EQ(macros[0], "[Open(\"/t/x.jpg\")]");
  EXPECT_EQ(macros[1], "[Open(\"/t/y.jpg\")]");
  EXPECT_EQ(LastMacroTarget(macros), "/t/y.jpg");
  // Blanks around a split-off macro go; other macros stay as they are.
  EXPECT_EQ(SplitMacros("  [A][B]")[0], "[A]");
  EXPECT_EQ(SplitMacros("  [A] [B]")[0], "  [A] [B]");
  EXPECT_EQ(MacroPath("[Close()]"), "[Close()]");
}

TEST(OpenMacros, PathsThatWouldBeMisSplitAreRefused) {
  EXPECT_FALSE(OpenMacroFor("/t/a\"b.jpg").has_value());
  EXPECT_FALSE(OpenMacroFor("/t/a][b.jpg").has_value());
  EXPECT_FALSE(OpenMacroFor("/t/line\nbreak.jpg").has_value());
  EXPECT_FALSE(OpenMacroFor("/t/ends]").has_value());
  EXPECT_FALSE(OpenMacroFor("").has_value());
  // Anything else travels as it is, and comes back whole.
  for (const std::string path : {"/t/a b;c.jpg", "/t/[x].jpg", "/t/a]b[c.png", "/t/ü (1).gif"}) {
    const auto macro = OpenMacroFor(path);
    ASSERT_TRUE(macro.has_value()) << path;
    const TMacroList split = SplitMacros(*macro + *macro);
    ASSERT_EQ(split.size(), 2u) << path;
    EXPECT_EQ(MacroPath(split[0]), path);
    EXPECT_EQ(MacroPath(split[1]), path);
  }
}

TEST(OpenMacros, AMisBuiltOpenMacroNamesNoFile) {
  // A quote inside the path sent by another program: the text after it is not `")]`.
  EXPECT_EQ(MacroPath("[Open(\"/t/a\"b.jpg\")]"), "");
  EXPECT_EQ(MacroPath("[Open(\"/t/a.jpg"), "");
  EXPECT_EQ(MacroPath("[Open(/t/a.jpg)]"), "");
  EXPECT_EQ(MacroPath("[Open(\"/t/a.jpg\")]"), "/t/a.jpg");
  EXPECT_EQ(MacroPath("[Open(\"/t/a.jpg\")][Open(\"/t/b.jpg\")]"), "/t/a.jpg");
}

TEST(MacroBuffer, TheTwoTopicsDifferAsTheyShould) {
  TMacroBuffer queue;
  std::string shown;
  queue.RegisterHandler([&](const TMacroList& m) { shown = LastMacroTarget(m); });
  const std::string line = "[Open(\"/t/x.jpg\")][Open(\"/t/y.jpg\")]";
  queue.Receive(line);
  EXPECT_EQ(shown, "/t/y.jpg");
  // The window's own topic hands the line over unsplit: its one "macro" opens the text up to
  // the second quote, the first file.
  queue.ReceiveDirect({line});
  EXPECT_EQ(shown, "/t/x.jpg");
}

TEST(MacroBuffer, RequestsWaitForTheHandlerAndArriveInOrder) {
  TMacroBuffer queue;
  queue.Receive("[Open(\"/t/1.jpg\")]");
  queue.Receive("[Open(\"/t/2.jpg\")]");
  queue.ReceiveDirect({"[Open(\"/t/direct.jpg\")]"});  // no handler: nobody to hand it to
  EXPECT_EQ(queue.Pending().size(), 2u);
  std::vector<TMacroList> calls;
  queue.RegisterHandler([&](const TMacroList& m) { calls.push_back(m); });
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], (TMacroList{"[Open(\"/t/1.jpg\")]", "[Open(\"/t/2.jpg\")]"}));
  EXPECT_TRUE(queue.Pending().empty());
}

TEST(MacroBuffer, RequestsDuringTheHandlerAreKeptAndDeliveredAfterIt) {
  TMacroBuffer queue;
  std::vector<std::string> handled;
  int depth = 0;
  int deepest = 0;
  queue.RegisterHandler([&](const TMacroList& m) {
    deepest = std::max(deepest, ++depth);
    handled.push_back(LastMacroTarget(m));
    // A message box's loop running inside the handler lets two more requests in.
    if (handled.size() == 1) {
      queue.Receive("[Open(\"/t/b.jpg\")]");
      queue.ReceiveDirect({"[Open(\"/t/c.jpg\")]"});
    }
    --depth;
  });
  queue.Receive("[Open(\"/t/a.jpg\")]");
  EXPECT_EQ(handled, (std::vector<std::string>{"/t/a.jpg", "/t/b.jpg", "/t/c.jpg"}));
  EXPECT_EQ(deepest, 1) << "the handler was entered again while it ran";
  EXPECT_TRUE(queue.Pending().empty());
}
