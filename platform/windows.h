// Calls on foreign windows: the caller's window that launched the run.
#pragma once
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

class Journal;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  virtual bool EnableWindow(HWND hwnd, bool enable) = 0;
  virtual bool SetForegroundWindow(HWND hwnd) = 0;
  virtual bool PostMessage(HWND hwnd, std::uint32_t msg, std::intptr_t wparam,
                           std::intptr_t lparam) = 0;
  virtual bool IsWindow(HWND hwnd) = 0;
};

// Caller windows as Unix datagram sockets: window N exists when `folder`
// holds a socket named N. Each call sends one ASCII datagram ("enable 0",
// "enable 1", "foreground", "post MSG WPARAM LPARAM") and is journaled,
// whether or not the window exists. An empty folder means no window exists.
class SocketWindowSystem : public WindowSystem {
 public:
  SocketWindowSystem(std::string hostFolder, Journal& journal);
  bool EnableWindow(HWND hwnd, bool enable) override;
  bool SetForegroundWindow(HWND hwnd) override;
  bool PostMessage(HWND hwnd, std::uint32_t msg, std::intptr_t wparam,
                   std::intptr_t lparam) override;
  bool IsWindow(HWND hwnd) override;

 private:
  bool Send(HWND hwnd, const std::string& datagram);
  std::string folder_;
  Journal& journal_;
};

}  // namespace platform
