#include "platform/dialog.h"

#include "platform/cp932.h"
#include "platform/host.h"

namespace platform {

namespace {

bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::Edit || kind == ControlKind::PushButton ||
         kind == ControlKind::RadioButton;
}

// EM_LIMITTEXT 0 stands for the largest limit a single-line edit has.
constexpr std::size_t kMaxEditLimit = 0x7FFFFFFE;

}  // namespace

Dialog::Dialog(const DialogTemplate& tmpl, HWND parent)
    : tmpl_(tmpl), parent_(parent), caption_(tmpl.caption ? tmpl.caption : "") {
  controls_.reserve(tmpl.controls.size());
  for (const ControlTemplate& c : tmpl.controls) {
    ControlState s;
    s.tmpl = &c;
    s.text = c.text ? c.text : "";
    s.enabled = (c.style & WS_DISABLED) == 0;
    controls_.push_back(std::move(s));
  }
}

Dialog::~Dialog() {
  if (modeless_ && hwnd_ != 0) DestroyWindow();
}

int Dialog::DoModal() {
  if (!host().ui) return -1;
  modeless_ = false;
  return host().ui->RunModal(*this);
}

bool Dialog::Create(HWND parent) {
  if (!host().ui) return false;
  parent_ = parent;
  modeless_ = true;
  AttachWindow(AllocateWindowHandle());
  if (host().journal) host().journal->DialogOpen(tmpl_.id);
  host().ui->CreateModeless(*this);
  if (OnInitDialog() && !ended_) SetInitialFocus();
  return true;
}

void Dialog::DestroyWindow() {
  if (hwnd_ == 0) return;
  if (host().ui) host().ui->Destroy(*this);
  hwnd_ = 0;
  visible_ = false;
}

void Dialog::SetParent(HWND parent) { parent_ = parent; }

void Dialog::ShowWindow(bool show) {
  visible_ = show;
  if (hwnd_ != 0 && host().ui) host().ui->Repaint(*this);
}

void Dialog::EndDialog(int result) {
  ended_ = true;
  result_ = result;
  if (modeless_) {
    // A modeless dialog is only hidden: it stays until it is destroyed.
    visible_ = false;
    if (host().journal) host().journal->DialogEnd(tmpl_.id, result);
    if (hwnd_ != 0 && host().ui) host().ui->Repaint(*this);
  }
}

void Dialog::SetWindowText(const std::string& text) {
  caption_ = text;
  if (host().journal) host().journal->Caption(tmpl_.id, text);
}

void Dialog::UpdateWindow() {
  if (hwnd_ != 0 && host().ui) host().ui->Repaint(*this);
}

// Z-order and activation of the system's own windows have nothing to show
// beyond what a repaint shows; only the caller's window is journaled.
void Dialog::BringWindowToTop() {}
void Dialog::SetForegroundWindow() {}

ControlState* Dialog::Find(int id) {
  for (ControlState& c : controls_) {
    if (c.tmpl->id == id) return &c;
  }
  return nullptr;
}

const ControlState* Dialog::Find(int id) const {
  for (const ControlState& c : controls_) {
    if (c.tmpl->id == id) return &c;
  }
  return nullptr;
}

bool Dialog::HasControl(int id) const { return Find(id) != nullptr; }

std::string Dialog::GetDlgItemText(int id) const {
  const ControlState* c = Find(id);
  return c ? c->text : std::string();
}

void Dialog::SetDlgItemText(int id, const std::string& text) {
  // WM_SETTEXT is not bound by the edit's typing limit.
  if (ControlState* c = Find(id)) c->text = text;
}

void Dialog::EnableDlgItem(int id, bool enable) {
  if (ControlState* c = Find(id)) c->enabled = enable;
}

bool Dialog::IsDlgItemEnabled(int id) const {
  const ControlState* c = Find(id);
  return c && c->enabled;
}

void Dialog::CheckRadioButton(int firstId, int lastId, int checkId) {
  for (ControlState& c : controls_) {
    const int id = c.tmpl->id;
    if (id >= firstId && id <= lastId) c.checked = (id == checkId);
  }
}

bool Dialog::IsDlgButtonChecked(int id) const {
  const ControlState* c = Find(id);
  return c && c->checked;
}

void Dialog::LimitText(int id, std::size_t bytes) {
  if (ControlState* c = Find(id)) c->limit = bytes == 0 ? kMaxEditLimit : bytes;
}

void Dialog::SetFocus(int id) {
  if (!Find(id)) return;
  focus_ = id;
  if (host().journal) host().journal->Focus(id);
}

void Dialog::SetSel(int id, int start, int end) {
  ControlState* c = Find(id);
  if (!c) return;
  const int size = static_cast<int>(c->text.size());
  auto clamp = [size](int v) { return v < 0 || v > size ? size : v; };
  c->selStart = start < 0 ? 0 : clamp(start);
  c->selEnd = clamp(end);
}

void Dialog::ScrollCaret(int) {}

void Dialog::SetRange(int id, int low, int high) {
  ControlState* c = Find(id);
  if (!c) return;
  c->rangeLow = low;
  c->rangeHigh = high;
  if (c->pos < low) c->pos = low;
  if (c->pos > high) c->pos = high;
}

void Dialog::SetStep(int id, int step) {
  if (ControlState* c = Find(id)) c->step = step;
}

void Dialog::SetPos(int id, int pos) {
  ControlState* c = Find(id);
  if (!c) return;
  if (pos < c->rangeLow) pos = c->rangeLow;
  if (pos > c->rangeHigh) pos = c->rangeHigh;
  c->pos = pos;
}

void Dialog::StepIt(int id) {
  ControlState* c = Find(id);
  if (!c) return;
  ++c->stepCount;
  // A bar stepped past its end starts over from the other end.
  long next = static_cast<long>(c->pos) + c->step;
  if (next > c->rangeHigh) next = c->rangeLow;
  if (next < c->rangeLow) next = c->rangeHigh;
  c->pos = static_cast<int>(next);
}

long Dialog::StepCount(int id) const {
  const ControlState* c = Find(id);
  return c ? c->stepCount : 0;
}

int Dialog::GetPos(int id) const {
  const ControlState* c = Find(id);
  return c ? c->pos : 0;
}

std::vector<ControlSnapshot> Dialog::Snapshot() const {
  std::vector<ControlSnapshot> out;
  for (const ControlState& c : controls_) {
    if (c.tmpl->id == -1) continue;
    ControlSnapshot s;
    s.id = c.tmpl->id;
    s.text = c.text;
    s.enabled = c.enabled;
    s.isRadio = c.tmpl->kind == ControlKind::RadioButton;
    s.checked = c.checked;
    out.push_back(std::move(s));
  }
  return out;
}

bool Dialog::OnInitDialog() {
  SetInitialFocus();
  return true;
}

void Dialog::SetInitialFocus() {
  if (focus_ != 0) return;
  for (const ControlState& c : controls_) {
    if (c.enabled && (c.tmpl->style & WS_TABSTOP) && TakesFocus(c.tmpl->kind)) {
      SetFocus(c.tmpl->id);
      return;
    }
  }
}

void Dialog::OnCommand(int id) {
  if (id == IDOK) {
    OnOK();
  } else if (id == IDCANCEL) {
    OnCancel();
  }
}

bool Dialog::PreTranslateKeyDown(Key, unsigned) { return false; }

void Dialog::OnOK() { EndDialog(IDOK); }

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::UserSetText(int id, const std::string& text) {
  ControlState* c = Find(id);
  if (!c || !c->enabled || c->tmpl->kind != ControlKind::Edit) return;
  c->text = std::string(CutAtCharBoundary(text, c->limit));
  c->selStart = c->selEnd = static_cast<int>(c->text.size());
}

void Dialog::UserClick(int id) {
  ControlState* c = Find(id);
  if (!c || !c->enabled || !TakesFocus(c->tmpl->kind)) return;
  // As with a mouse click: the control takes the focus before it acts.
  SetFocus(id);
  if (c->tmpl->kind == ControlKind::RadioButton) {
    CheckInGroup(id);
  } else if (c->tmpl->kind == ControlKind::PushButton) {
    OnCommand(id);
  }
}

void Dialog::CheckInGroup(int id) {
  std::size_t index = 0;
  while (index < controls_.size() && controls_[index].tmpl->id != id) ++index;
  if (index == controls_.size()) return;
  std::size_t first = index;
  while (first > 0 && !(controls_[first].tmpl->style & WS_GROUP)) --first;
  std::size_t end = index + 1;
  while (end < controls_.size() && !(controls_[end].tmpl->style & WS_GROUP)) ++end;
  for (std::size_t i = first; i < end; ++i) {
    if (controls_[i].tmpl->kind == ControlKind::RadioButton) controls_[i].checked = (i == index);
  }
}

void Dialog::UserFocus(int id) {
  const ControlState* c = Find(id);
  if (!c || !c->enabled || !TakesFocus(c->tmpl->kind)) return;
  SetFocus(id);
}

void Dialog::UserKey(Key key, unsigned mods) {
  if (PreTranslateKeyDown(key, mods)) return;
  if (mods & kModAlt) return;
  switch (key) {
    case Key::Tab:
      MoveFocus((mods & kModShift) != 0);
      break;
    case Key::Enter: {
      const ControlState* c = Find(focus_);
      if (c && c->enabled && c->tmpl->kind == ControlKind::PushButton) {
        OnCommand(focus_);
      } else {
        OnCommand(IDOK);
      }
      break;
    }
    case Key::Esc:
      OnCommand(IDCANCEL);
      break;
    case Key::F12:
      break;
  }
}

void Dialog::MoveFocus(bool backwards) {
  const std::size_t n = controls_.size();
  if (n == 0) return;
  // Start from the focused control's place; with none, from just outside the list.
  std::size_t start = backwards ? 0 : n - 1;
  for (std::size_t i = 0; i < n; ++i) {
    if (controls_[i].tmpl->id == focus_) {
      start = i;
      break;
    }
  }
  for (std::size_t step = 1; step <= n; ++step) {
    const std::size_t i = backwards ? (start + n - step) % n : (start + step) % n;
    const ControlState& c = controls_[i];
    if (c.enabled && (c.tmpl->style & WS_TABSTOP) && TakesFocus(c.tmpl->kind)) {
      SetFocus(c.tmpl->id);
      return;
    }
  }
}

void Dialog::AttachWindow(HWND hwnd) {
  hwnd_ = hwnd;
  ended_ = false;
  result_ = 0;
  visible_ = !modeless_ || (tmpl_.style & WS_VISIBLE) != 0;
}

}  // namespace platform
