// Basic host-layer types shared by every library: window handles, message-box
// flags and results, window and control styles.
#pragma once
#include <cstdint>

namespace platform {

// A window handle. 0 is "no window".
using HWND = std::intptr_t;

// Message-box button and icon flags, as the original platform numbers them.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

// Message-box and dialog results.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Window styles.
inline constexpr std::uint32_t WS_POPUP = 0x80000000u;
inline constexpr std::uint32_t WS_CHILD = 0x40000000u;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000u;
inline constexpr std::uint32_t WS_DISABLED = 0x08000000u;
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000u;
inline constexpr std::uint32_t WS_BORDER = 0x00800000u;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000u;
inline constexpr std::uint32_t WS_GROUP = 0x00020000u;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000u;
inline constexpr std::uint32_t DS_SYSMODAL = 0x0002u;
inline constexpr std::uint32_t DS_SETFONT = 0x0040u;
inline constexpr std::uint32_t DS_MODALFRAME = 0x0080u;
inline constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x0200u;
inline constexpr std::uint32_t WS_EX_STATICEDGE = 0x20000u;
inline constexpr std::uint32_t ES_RIGHT = 0x0002u;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080u;
inline constexpr std::uint32_t ES_NUMBER = 0x2000u;
inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0000u;
inline constexpr std::uint32_t BS_GROUPBOX = 0x0007u;
inline constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x0009u;
inline constexpr std::uint32_t SS_LEFT = 0x0000u;
inline constexpr std::uint32_t SS_RIGHT = 0x0002u;
inline constexpr std::uint32_t SS_CENTERIMAGE = 0x0200u;
inline constexpr std::uint32_t PBS_SMOOTH = 0x01u;

// Keys a user can press on a dialog, and their modifiers.
enum class Key { Enter, F12, Esc, Tab };
inline constexpr unsigned kModShift = 1;
inline constexpr unsigned kModCtrl = 2;
inline constexpr unsigned kModAlt = 4;

}  // namespace platform
