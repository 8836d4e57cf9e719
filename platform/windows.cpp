#include "platform/windows.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/journal.h"

namespace platform {

namespace {

// The socket of window `hwnd` in `folder`; empty when it cannot name one.
std::string SocketPath(const std::string& folder, HWND hwnd) {
  if (folder.empty() || hwnd == 0) return std::string();
  std::string path = folder;
  if (path.back() != '/') path += '/';
  return path + std::to_string(hwnd);
}

bool IsSocket(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

}  // namespace

SocketWindowSystem::SocketWindowSystem(std::string hostFolder, Journal& journal)
    : folder_(std::move(hostFolder)), journal_(journal) {}

bool SocketWindowSystem::EnableWindow(HWND hwnd, bool enable) {
  journal_.Enable(hwnd, enable);
  return Send(hwnd, enable ? "enable 1" : "enable 0");
}

bool SocketWindowSystem::SetForegroundWindow(HWND hwnd) {
  journal_.Foreground(hwnd);
  return Send(hwnd, "foreground");
}

bool SocketWindowSystem::PostMessage(HWND hwnd, std::uint32_t msg, std::intptr_t wparam,
                                     std::intptr_t lparam) {
  journal_.Post(hwnd, msg, wparam, lparam);
  // Signed, as the journal writes them.
  return Send(hwnd, "post " + std::to_string(static_cast<std::int32_t>(msg)) + " " +
                        std::to_string(wparam) + " " + std::to_string(lparam));
}

bool SocketWindowSystem::IsWindow(HWND hwnd) { return IsSocket(SocketPath(folder_, hwnd)); }

bool SocketWindowSystem::Send(HWND hwnd, const std::string& datagram) {
  const std::string path = SocketPath(folder_, hwnd);
  if (!IsSocket(path)) return false;
  // A socket address holds about a hundred bytes; a deeper folder is reached
  // through a descriptor of its own.
  std::string address = path;
  int dirFd = -1;
  sockaddr_un addr;
  if (address.size() >= sizeof addr.sun_path) {
    dirFd = ::open(folder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) return false;
    address = "/proc/self/fd/" + std::to_string(dirFd) + "/" + std::to_string(hwnd);
  }
  bool sent = false;
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd >= 0 && address.size() < sizeof addr.sun_path) {
    std::memcpy(addr.sun_path, address.c_str(), address.size() + 1);
    // A caller that does not read must not hang the run: a full queue fails the call.
    ssize_t n = ::sendto(fd, datagram.data(), datagram.size(), MSG_DONTWAIT,
                         reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    sent = n == static_cast<ssize_t>(datagram.size());
  }
  if (fd >= 0) ::close(fd);
  if (dirFd >= 0) ::close(dirFd);
  return sent;
}

}  // namespace platform
