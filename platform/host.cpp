#include "platform/host.h"

namespace platform {

namespace {
Host& Current() {
  static Host h;
  return h;
}
}  // namespace

Host& host() { return Current(); }

void SetHost(const Host& h) { Current() = h; }

HWND AllocateWindowHandle() {
  // The system's own windows get handles in a range of their own, so that a
  // journal reader can tell them from the caller's.
  static HWND next = 0x10000;
  return next += 2;
}

}  // namespace platform
