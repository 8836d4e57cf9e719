// The dialog front end: message boxes, the save-as dialog, modal and modeless
// dialogs. Two implementations: the answer script (script_frontend.h) and
// real windows.
#pragma once
#include <optional>
#include <string>

#include "platform/types.h"

namespace platform {

class Dialog;

struct FileDialogArgs {
  HWND parent = 0;
  std::string title;   // CP932
  std::string folder;  // initial folder
  std::string file;    // initial file name
  std::string ext;     // default extension
  std::string filter;  // "Xml Files (*.xml)|*.xml||"
  unsigned flags = 0;
};

inline constexpr unsigned OFN_HIDEREADONLY = 0x00000004u;
inline constexpr unsigned OFN_NOCHANGEDIR = 0x00000008u;
inline constexpr unsigned OFN_PATHMUSTEXIST = 0x00000800u;
inline constexpr unsigned OFN_FILEMUSTEXIST = 0x00001000u;

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  // Shows a message box (journaled) and returns IDOK, IDYES or IDNO.
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                         unsigned type) = 0;
  // The save-as dialog (journaled); the chosen path or nullopt when cancelled.
  virtual std::optional<std::string> SaveFileDialog(const FileDialogArgs& args) = 0;
  // Runs the dialog modally: dialog-open, OnInitDialog, the user's actions
  // until EndDialog, dialog-end. Returns the EndDialog code.
  virtual int RunModal(Dialog& dialog) = 0;
  // Modeless windows: created, shown or hidden, repainted, destroyed.
  virtual void CreateModeless(Dialog& dialog) = 0;
  virtual void Repaint(Dialog& dialog) = 0;
  virtual void Destroy(Dialog& dialog) = 0;
};

}  // namespace platform
