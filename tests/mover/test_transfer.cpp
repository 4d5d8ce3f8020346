// Transfers into the destination: nothing is replaced, empty files wait, failures are reported
// per file and the others go on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/FileSystemCalls.h"
#include "mover/core/Transfer.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

struct Transfer : ::testing::Test {
  fs::path root;
  fs::path from;
  fs::path to;
  std::vector<std::string> messages;
  std::vector<std::size_t> done;
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root = fs::temp_directory_path() / ("lumivex-transfer-" + std::to_string(getpid()) + "-" + info->name());
    fs::remove_all(root);
    fs::create_directories(from = root / "from");
    fs::create_directories(to = root / "to");
  }
  void TearDown() override { fs::remove_all(root); }
  TTransferOutcome Run(const std::vector<std::string>& names, TTransferKind kind,
                       const std::string& remembered = "") {
    return TransferFiles(from.string(), names, to.string(), kind, remembered,
                         [this](const std::string& m) { messages.push_back(m); },
                         [this](std::size_t i) { done.push_back(i); });
  }
};

}  // namespace

TEST_F(Transfer, MovesAroundWhatExistsAndWhatIsEmpty) {
  Write(from / "a.jpg", "first");
  Write(from / "b.jpg", "second");
  Write(from / "c.jpg", "");
  Write(from / "d.jpg", "fourth");
  Write(to / "b.jpg", "already there");
  const auto outcome = Run({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}, TTransferKind::Move, "old.jpg");
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "file " + (to / "b.jpg").string() +
                              " already exists. Select another directory before moving",
                          (from / "c.jpg").string() +
                              " has a size of zero. This may be because it is not yet closed."}));
  EXPECT_EQ(done, (std::vector<std::size_t>{0, 1, 2, 3}));
  EXPECT_EQ(outcome.LastName, "d.jpg");
  EXPECT_EQ(outcome.Transferred, 2);
  EXPECT_EQ(Slurp(to / "a.jpg"), "first");
  EXPECT_EQ(Slurp(to / "d.jpg"), "fourth");
  EXPECT_EQ(Slurp(to / "b.jpg"), "already there");
  EXPECT_FALSE(fs::exists(from / "a.jpg"));
  EXPECT_TRUE(fs::exists(from / "b.jpg"));
  EXPECT_TRUE(fs::exists(from / "c.jpg"));
}

TEST_F(Transfer, CopyKeepsTheSourceAndNothingTransferredKeepsTheRememberedName) {
  Write(from / "a.jpg", "first");
  EXPECT_EQ(Run({"a.jpg"}, TTransferKind::Copy).LastName, "a.jpg");
  EXPECT_EQ(Slurp(from / "a.jpg"), "first");
  EXPECT_EQ(Slurp(to / "a.jpg"), "first");
  EXPECT_EQ(Run({"a.jpg", "gone.jpg"}, TTransferKind::Copy, "kept.jpg").LastName, "kept.jpg");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[1].find("gone.jpg has a size of zero"), std::string::npos);
}

TEST_F(Transfer, AFailedCopyIsReportedAndLeavesNoPartialFile) {
  Write(from / "a.jpg", std::string(20000, 'x'));
  Write(from / "b.jpg", "small");
  // The disk fails on the first write.
  TFileSystemCalls calls = FileSystemCalls();
  calls.Write = [](int, const void*, std::size_t) -> ssize_t {
    errno = EIO;
    return -1;
  };
  {
    TFileSystemCallsOverride failing(calls);
    Run({"a.jpg", "b.jpg"}, TTransferKind::Copy);
  }
  EXPECT_EQ(messages, (std::vector<std::string>{"error moving file " + (from / "a.jpg").string(),
                                                "error moving file " + (from / "b.jpg").string()}));
  EXPECT_FALSE(fs::exists(to / "a.jpg"));
  EXPECT_FALSE(fs::exists(to / "b.jpg"));
  EXPECT_TRUE(fs::exists(from / "a.jpg"));
}
