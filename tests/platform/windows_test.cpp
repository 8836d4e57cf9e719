#include "platform/windows.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/journal.h"
#include "temp_dir.h"

namespace platform {
namespace {

using platform_test::TempDir;
using platform_test::WriteHostFile;

class CollectingJournal : public Journal {
 public:
  void WriteLine(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

// A caller window: a datagram socket bound in the folder under its handle.
class CallerWindow {
 public:
  CallerWindow(const std::string& folder, HWND hwnd) {
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un addr;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    std::string path = folder + "/" + std::to_string(hwnd);
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    bound_ = ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  ~CallerWindow() { ::close(fd_); }
  bool bound() const { return bound_; }
  // The next datagram, or "" when none is waiting.
  std::string Receive() {
    char buf[256];
    ssize_t n = ::recv(fd_, buf, sizeof buf, MSG_DONTWAIT);
    return n < 0 ? std::string() : std::string(buf, static_cast<std::size_t>(n));
  }

 private:
  int fd_ = -1;
  bool bound_ = false;
};

bool Contains(const std::string& line, const std::string& part) {
  return line.find(part) != std::string::npos;
}

TEST(SocketWindowSystem, SendsOneDatagramPerCall) {
  TempDir dir;
  CallerWindow caller(dir.path(), 4660);
  ASSERT_TRUE(caller.bound());
  CollectingJournal journal;
  SocketWindowSystem windows(dir.path(), journal);

  EXPECT_TRUE(windows.IsWindow(4660));
  EXPECT_TRUE(windows.EnableWindow(4660, false));
  EXPECT_EQ("enable 0", caller.Receive());
  EXPECT_TRUE(windows.EnableWindow(4660, true));
  EXPECT_EQ("enable 1", caller.Receive());
  EXPECT_TRUE(windows.SetForegroundWindow(4660));
  EXPECT_EQ("foreground", caller.Receive());
  EXPECT_TRUE(windows.PostMessage(4660, 0x8001, -1, -2));
  EXPECT_EQ("post 32769 -1 -2", caller.Receive());
  EXPECT_TRUE(windows.PostMessage(4660, 1025, 0, 123456789012));
  EXPECT_EQ("post 1025 0 123456789012", caller.Receive());
  EXPECT_EQ("", caller.Receive());

  ASSERT_EQ(5u, journal.lines.size());
  EXPECT_TRUE(Contains(journal.lines[0], "\"ev\":\"enable\""));
  EXPECT_TRUE(Contains(journal.lines[0], "\"hwnd\":4660"));
  EXPECT_TRUE(Contains(journal.lines[2], "\"ev\":\"foreground\""));
  EXPECT_TRUE(Contains(journal.lines[3], "\"ev\":\"post\""));
}

TEST(SocketWindowSystem, MissingWindowsDoNothingButAreJournaled) {
  TempDir dir;
  WriteHostFile(dir / "77", "not a socket");
  CollectingJournal journal;
  SocketWindowSystem windows(dir.path(), journal);
  SocketWindowSystem none("", journal);
  for (HWND hwnd : {HWND{0}, HWND{77}, HWND{99}}) {
    EXPECT_FALSE(windows.IsWindow(hwnd)) << hwnd;
    EXPECT_FALSE(windows.EnableWindow(hwnd, false)) << hwnd;
    EXPECT_FALSE(windows.SetForegroundWindow(hwnd)) << hwnd;
    EXPECT_FALSE(windows.PostMessage(hwnd, 1, 2, 3)) << hwnd;
  }
  CallerWindow caller(dir.path(), 5);
  EXPECT_FALSE(none.IsWindow(5));
  EXPECT_FALSE(none.EnableWindow(5, true));
  EXPECT_EQ("", caller.Receive());
  EXPECT_EQ(10u, journal.lines.size());
}

TEST(SocketWindowSystem, ReachesSocketsInDeepFolders) {
  TempDir dir;
  std::string deep = dir.path();
  while (deep.size() < 200) deep += "/folder-of-caller-windows";
  std::filesystem::create_directories(deep);
  // The test binds through a descriptor too, since the address would not fit.
  int dirFd = ::open(deep.c_str(), O_PATH | O_DIRECTORY);
  ASSERT_GE(dirFd, 0);
  CallerWindow caller("/proc/self/fd/" + std::to_string(dirFd), 42);
  ASSERT_TRUE(caller.bound());
  Journal journal;
  SocketWindowSystem windows(deep, journal);
  EXPECT_TRUE(windows.SetForegroundWindow(42));
  EXPECT_EQ("foreground", caller.Receive());
  ::close(dirFd);
}

TEST(SocketWindowSystem, HandleZeroNeverExists) {
  TempDir dir;
  CallerWindow zero(dir.path(), 0);
  Journal journal;  // records nothing
  SocketWindowSystem windows(dir.path(), journal);
  EXPECT_FALSE(windows.IsWindow(0));
  EXPECT_FALSE(windows.EnableWindow(0, true));
  EXPECT_EQ("", zero.Receive());
}

}  // namespace
}  // namespace platform
