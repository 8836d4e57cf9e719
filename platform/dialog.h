// Dialogs built from templates (the resources in res/), with controls found by
// ID, a modal loop fed by events, and explicit repaints. The Dialog object
// holds the state of every control; a front end (frontend.h) shows it and
// feeds user actions in through the User* operations, which apply the
// platform's own dialog rules so both front ends behave the same.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/journal.h"
#include "platform/types.h"

namespace platform {

enum class ControlKind { Static, Edit, PushButton, RadioButton, GroupBox, Progress };

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* text;  // CP932; "" for none
  int x, y, cx, cy;  // dialog units
  std::uint32_t style;
  std::uint32_t exStyle;
};

struct DialogTemplate {
  int id;
  const char* caption;
  int cx, cy;
  std::uint32_t style;
  const char* font;
  int pointSize;
  std::vector<ControlTemplate> controls;  // template (tab) order
};

struct ControlState {
  const ControlTemplate* tmpl = nullptr;
  std::string text;
  bool enabled = true;
  bool checked = false;
  std::size_t limit = 30000;  // edits: maximum text length in bytes
  int selStart = 0, selEnd = 0;
  // progress bars
  int rangeLow = 0, rangeHigh = 100, pos = 0, step = 10;
  long stepCount = 0;  // PBM_STEPIT calls
};

class Dialog {
 public:
  Dialog(const DialogTemplate& tmpl, HWND parent);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  const DialogTemplate& Template() const { return tmpl_; }
  int TemplateId() const { return tmpl_.id; }

  // Modal run through the host's front end; the EndDialog code.
  int DoModal();
  // Modeless window (created hidden unless the template has WS_VISIBLE).
  bool Create(HWND parent);
  void DestroyWindow();
  HWND GetSafeHwnd() const { return hwnd_; }
  HWND GetParentHwnd() const { return parent_; }
  void SetParent(HWND parent);
  void ShowWindow(bool show);
  bool IsVisible() const { return visible_; }
  void EndDialog(int result);
  bool IsEnded() const { return ended_; }
  int Result() const { return result_; }

  void SetWindowText(const std::string& text);  // the caption
  const std::string& GetWindowText() const { return caption_; }
  void UpdateWindow();
  void BringWindowToTop();
  void SetForegroundWindow();

  // Controls by ID. An unknown ID is ignored (getters give empty/false).
  bool HasControl(int id) const;
  std::string GetDlgItemText(int id) const;
  void SetDlgItemText(int id, const std::string& text);
  void EnableDlgItem(int id, bool enable);
  bool IsDlgItemEnabled(int id) const;
  void CheckRadioButton(int firstId, int lastId, int checkId);
  bool IsDlgButtonChecked(int id) const;
  void LimitText(int id, std::size_t bytes);  // EM_LIMITTEXT
  void SetFocus(int id);                      // journaled as a focus event
  int GetFocus() const { return focus_; }
  void SetSel(int id, int start, int end);  // EM_SETSEL; end -1 is the end
  void ScrollCaret(int id);                 // EM_SCROLLCARET

  // Progress bar messages.
  void SetRange(int id, int low, int high);  // PBM_SETRANGE
  void SetStep(int id, int step);            // PBM_SETSTEP
  void SetPos(int id, int pos);              // PBM_SETPOS
  void StepIt(int id);                       // PBM_STEPIT
  long StepCount(int id) const;
  int GetPos(int id) const;

  std::vector<ControlSnapshot> Snapshot() const;  // for journal and repaint
  const std::vector<ControlState>& Controls() const { return controls_; }

  // Handlers the system's dialogs override.
  virtual bool OnInitDialog();
  // A command: a button click (its ID), IDOK or IDCANCEL.
  virtual void OnCommand(int id);
  // Key down before the platform's handling; true when consumed.
  virtual bool PreTranslateKeyDown(Key key, unsigned mods);
  virtual void OnOK();
  virtual void OnCancel();

  // User actions, fed in by the front ends.
  void UserSetText(int id,
                   const std::string& text);  // typed/pasted; limit applies; ignored when disabled
  void UserClick(int id);                     // focus first, then the click; ignored when disabled
  void UserKey(Key key, unsigned mods);
  void UserFocus(int id);  // ignored when disabled

  // Called by the front end when the window comes up (hwnd allocated).
  void AttachWindow(HWND hwnd);
  // The dialog manager's initial focus after an initialisation that returned
  // true: the first enabled tab stop, unless a control already has the focus.
  void SetInitialFocus();

 protected:
  ControlState* Find(int id);
  const ControlState* Find(int id) const;

 private:
  void MoveFocus(bool backwards);
  void CheckInGroup(int id);  // an auto radio button's click
  const DialogTemplate& tmpl_;
  HWND parent_;
  HWND hwnd_ = 0;
  std::vector<ControlState> controls_;
  std::string caption_;
  int focus_ = 0;
  bool visible_ = false;
  bool ended_ = false;
  int result_ = 0;
  bool modeless_ = false;  // made by Create: EndDialog only hides it
};

}  // namespace platform
