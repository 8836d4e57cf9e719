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
// A handle that belongs to a foreign window (the caller's, named on the
// command line): the system's own dialogs never get it, so that the journal
// and the owner of a message box always tell the two apart.
void ReserveWindowHandle(HWND hwnd);

}  // namespace platform
