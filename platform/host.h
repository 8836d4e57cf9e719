// The process-wide host: the file system, the foreign windows, the dialog
// front end and the journal that the system's code reaches through host().
// Tests install their own with ScopedHost.
#pragma once
#include "platform/env.h"
#include "platform/frontend.h"
#include "platform/journal.h"
#include "platform/windows.h"

namespace platform {

struct Host {
  Env* env = nullptr;
  WindowSystem* windows = nullptr;
  FrontEnd* ui = nullptr;
  Journal* journal = nullptr;
};

Host& host();
void SetHost(const Host& h);

class ScopedHost {
 public:
  explicit ScopedHost(const Host& h) : saved_(host()) { SetHost(h); }
  ~ScopedHost() { SetHost(saved_); }
  ScopedHost(const ScopedHost&) = delete;
  ScopedHost& operator=(const ScopedHost&) = delete;

 private:
  Host saved_;
};

// Window handles for the system's own dialogs.
HWND AllocateWindowHandle();

}  // namespace platform
