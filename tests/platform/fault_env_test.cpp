#include "platform/fault_env.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/host_env.h"
#include "temp_dir.h"

namespace platform {
namespace {

using platform_test::HostNames;
using platform_test::ReadHostFile;
using platform_test::TempDir;
using platform_test::WriteHostFile;

class FaultEnvTest : public ::testing::Test {
 protected:
  FaultEnvTest()
      : host_(PathMapper({{'C', DriveType::Fixed, tmp_.path()}}, {}), tmp_ / "prog", ""),
        env_(host_) {}

  TempDir tmp_;
  HostEnv host_;
  FaultEnv env_;
};

TEST_F(FaultEnvTest, WritesStopAtTheBudget) {
  env_.FailWritesAfterBytes(10);
  auto file = env_.Open("C:\\f", OpenMode::Write);
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->Write("123456", 6));
  EXPECT_FALSE(file->Write("78901", 5));  // would pass the budget: writes nothing
  EXPECT_TRUE(file->Write("7890", 4));
  EXPECT_FALSE(file->Write("x", 1));
  EXPECT_TRUE(file->Close());
  EXPECT_EQ("1234567890", ReadHostFile(tmp_ / "f"));
  // The budget is shared by every file of this Env.
  auto other = env_.Open("C:\\g", OpenMode::Write);
  ASSERT_TRUE(other);
  EXPECT_FALSE(other->Write("y", 1));
}

TEST_F(FaultEnvTest, FailsChosenOperations) {
  env_.FailCreateDirectory("bad");
  EXPECT_FALSE(env_.CreateDirectory("C:\\a\\bad"));
  EXPECT_TRUE(env_.CreateDirectory("C:\\a"));
  EXPECT_TRUE(env_.CreateDirectory("C:\\a\\good"));
  EXPECT_EQ(std::vector<std::string>{"good"}, HostNames(tmp_ / "a"));

  WriteHostFile(tmp_ / "out.xml", "old");
  env_.FailOpenForWrite("out");
  EXPECT_FALSE(env_.Open("C:\\out.xml", OpenMode::Write));
  EXPECT_FALSE(env_.Open("C:\\out.xml", OpenMode::ReadWrite));
  EXPECT_TRUE(env_.Open("C:\\out.xml", OpenMode::Read));
  EXPECT_TRUE(env_.Open("C:\\other.xml", OpenMode::Write));

  WriteHostFile(tmp_ / "new", "new");
  env_.FailReplace();
  EXPECT_FALSE(env_.ReplaceFile("C:\\new", "C:\\out.xml"));
  EXPECT_EQ("old", ReadHostFile(tmp_ / "out.xml"));
  EXPECT_EQ("new", ReadHostFile(tmp_ / "new"));
}

TEST_F(FaultEnvTest, AllocationFailsFromTheNthCall) {
  env_.FailAllocation("AccountSum", 3);
  EXPECT_TRUE(env_.MayAllocate("AccountSum"));
  EXPECT_TRUE(env_.MayAllocate("AccountSum"));
  EXPECT_TRUE(env_.MayAllocate("SupportInf"));
  EXPECT_FALSE(env_.MayAllocate("AccountSum"));
  EXPECT_FALSE(env_.MayAllocate("AccountSum"));
  EXPECT_TRUE(env_.MayAllocate("SupportInf"));
  env_.FailAllocation("SupportInf");
  EXPECT_FALSE(env_.MayAllocate("SupportInf"));
}

TEST_F(FaultEnvTest, PassesEverythingElseThrough) {
  EXPECT_EQ(DriveType::Fixed, env_.GetDriveType("C:\\"));
  EXPECT_EQ("C:\\prog", env_.GetModuleFileName());
  EXPECT_EQ("C:\\x", env_.WindowsFormOf(tmp_ / "x"));
  EXPECT_TRUE(env_.CreateDirectory("C:\\d"));
  EXPECT_TRUE(env_.SetCurrentDirectory("C:\\d"));
  EXPECT_EQ("C:\\d", env_.GetCurrentDirectory());
  EXPECT_TRUE(env_.IsDirectory("."));
}

// WriteFileReplacing: the target is either the new content or as it was,
// and no temporary file is left either way.
class ReplacingTest : public FaultEnvTest {};

TEST_F(ReplacingTest, WritesAndReplaces) {
  EXPECT_TRUE(WriteFileReplacing(env_, "C:\\s.env", "first"));
  EXPECT_EQ("first", ReadHostFile(tmp_ / "s.env"));
  EXPECT_TRUE(WriteFileReplacing(env_, "C:\\s.env", "second"));
  EXPECT_EQ("second", ReadHostFile(tmp_ / "s.env"));
  EXPECT_EQ(std::vector<std::string>{"s.env"}, HostNames(tmp_.path()));
}

TEST_F(ReplacingTest, KeepsTheOldFileOnFailure) {
  WriteHostFile(tmp_ / "s.env", "old");
  {
    FaultEnv env(host_);
    env.FailWritesAfterBytes(3);
    EXPECT_FALSE(WriteFileReplacing(env, "C:\\s.env", "new content"));
  }
  {
    FaultEnv env(host_);
    env.FailReplace();
    EXPECT_FALSE(WriteFileReplacing(env, "C:\\s.env", "new content"));
  }
  {
    FaultEnv env(host_);
    env.FailOpenForWrite(".tmp");
    EXPECT_FALSE(WriteFileReplacing(env, "C:\\s.env", "new content"));
  }
  EXPECT_EQ("old", ReadHostFile(tmp_ / "s.env"));
  EXPECT_EQ(std::vector<std::string>{"s.env"}, HostNames(tmp_.path()));
  EXPECT_FALSE(WriteFileReplacing(host_, "C:\\missing\\s.env", "x"));
  EXPECT_EQ(std::vector<std::string>{"s.env"}, HostNames(tmp_.path()));
}

TEST_F(ReplacingTest, TemporarySiblingIsInTheSameFolder) {
  std::string a = TemporarySibling(env_, "C:\\dir\\s.env");
  std::string b = TemporarySibling(env_, "C:\\dir\\s.env");
  EXPECT_EQ(0u, a.rfind("C:\\dir\\~stmtlink-", 0)) << a;
  EXPECT_EQ(".tmp", a.substr(a.size() - 4));
  EXPECT_NE(a, b);
  // The folder ends at the last real backslash, not at a trail byte 0x5C.
  EXPECT_EQ(0u, TemporarySibling(env_, "C:\\表\\s.env").rfind("C:\\表\\~stmtlink-", 0));
  EXPECT_EQ(0u, TemporarySibling(env_, "C:\\ソ表").rfind("C:\\~stmtlink-", 0));
  EXPECT_EQ(0u, TemporarySibling(env_, "C:s.env").rfind("C:~stmtlink-", 0));
}

TEST_F(ReplacingTest, TargetNameNearTheHostLimit) {
  // The temporary name is short whatever the target's name is.
  const std::string name(250, 'n');
  EXPECT_TRUE(WriteFileReplacing(host_, "C:\\" + name, "x"));
  EXPECT_EQ(std::vector<std::string>{name}, HostNames(tmp_.path()));
}

TEST_F(ReplacingTest, ReadWholeFile) {
  std::string big(20000, 'x');
  big[12345] = '\0';
  WriteHostFile(tmp_ / "big", big);
  EXPECT_EQ(big, ReadWholeFile(env_, "C:\\big"));
  EXPECT_EQ(std::nullopt, ReadWholeFile(env_, "C:\\none"));
  EXPECT_EQ(std::nullopt, ReadWholeFile(env_, "C:\\"));
}

}  // namespace
}  // namespace platform
