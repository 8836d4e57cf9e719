#include "platform/host.h"

#include <set>

namespace platform {

namespace {
Host& Current() {
  static Host h;
  return h;
}
}  // namespace

Host& host() { return Current(); }

void SetHost(const Host& h) { Current() = h; }

std::set<HWND>& Reserved() {
  static std::set<HWND> reserved;
  return reserved;
}

HWND AllocateWindowHandle() {
  // The system's own windows get handles in a range of their own, so that a
  // journal reader can tell them from the caller's.
  static HWND next = 0x10000;
  do {
    next += 2;
  } while (Reserved().count(next) != 0);
  return next;
}

void ReserveWindowHandle(HWND hwnd) {
  if (hwnd != 0) Reserved().insert(hwnd);
}

}  // namespace platform
