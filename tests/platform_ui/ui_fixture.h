// A small dialog, a journal that keeps its lines, and a host wired to the
// answer-script front end.
#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/host.h"
#include "platform/journal.h"
#include "platform/script_frontend.h"

namespace uitest {

using namespace platform;

// UTF-8 text written in the source (narrow literals are CP932 at run time).
inline std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

class CollectJournal : public Journal {
 public:
  void WriteLine(const std::string& line) override { lines.push_back(line); }
  // The "ev" of every line, in order.
  std::vector<std::string> Events() const {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
      const std::size_t start = l.find("\"ev\":\"") + 6;
      out.push_back(l.substr(start, l.find('"', start) - start));
    }
    return out;
  }
  std::vector<std::string> lines;
};

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;

// Edits 100 and 101, radios 200/201 in one group and 400 in another, and the
// browse/execute/cancel buttons 1001-1003.
inline const DialogTemplate& TestTemplate() {
  static const DialogTemplate t{
      130,
      "Test",
      200,
      100,
      WS_POPUP | WS_CAPTION,
      "",
      9,
      {
          {10, ControlKind::Static, "Label", 0, 0, 10, 10, kChild | WS_GROUP, 0},
          {-1, ControlKind::Static, ":", 0, 0, 10, 10, kChild | WS_GROUP, 0},
          {100, ControlKind::Edit, "", 0, 0, 10, 10, kChild | WS_TABSTOP, 0},
          {101, ControlKind::Edit, "", 0, 0, 10, 10, kChild | WS_TABSTOP, 0},
          {-1, ControlKind::Static, ":", 0, 0, 10, 10, kChild | WS_GROUP, 0},
          {200, ControlKind::RadioButton, "A(&A)", 0, 0, 10, 10, kChild | BS_AUTORADIOBUTTON, 0},
          {201, ControlKind::RadioButton, "B", 0, 0, 10, 10, kChild | BS_AUTORADIOBUTTON, 0},
          {300, ControlKind::GroupBox, "Group", 0, 0, 10, 10, kChild | WS_GROUP | BS_GROUPBOX, 0},
          {400, ControlKind::RadioButton, "C", 0, 0, 10, 10, kChild | WS_GROUP | BS_AUTORADIOBUTTON,
           0},
          {1001, ControlKind::PushButton, "Browse", 0, 0, 10, 10, kChild | WS_TABSTOP | WS_GROUP,
           0},
          {1002, ControlKind::PushButton, "Run", 0, 0, 10, 10, kChild | WS_TABSTOP | WS_GROUP, 0},
          {1003, ControlKind::PushButton, "Cancel", 0, 0, 10, 10, kChild | WS_TABSTOP | WS_GROUP,
           0},
      },
  };
  return t;
}

// Records its commands; 1002 ends it only when told to (otherwise it shows a
// message box, as a failed check does), 1003 ends it with 1003.
class TestDlg : public Dialog {
 public:
  TestDlg() : Dialog(TestTemplate(), 0) {}

  bool OnInitDialog() override {
    if (host().journal) host().journal->NameWindow(GetSafeHwnd(), "conditions");
    if (refuse) {
      EndDialog(1003);
      return false;
    }
    if (!cancelEnabled) EnableDlgItem(1003, false);
    return Dialog::OnInitDialog();
  }
  void OnCommand(int id) override {
    commands.push_back(id);
    focusAtCommand.push_back(GetFocus());
    if (id == 1002) {
      if (executeEnds) {
        EndDialog(1002);
      } else {
        lastAnswer = host().ui->MessageBox(GetSafeHwnd(), "bad", "Box", MB_YESNO | MB_ICONQUESTION);
      }
    } else if (id == 1003) {
      EndDialog(1003);
    } else {
      Dialog::OnCommand(id);
    }
  }
  bool PreTranslateKeyDown(Key key, unsigned mods) override {
    if (consumeF12 && key == Key::F12 && mods == 0) {
      commands.push_back(-12);
      return true;
    }
    return false;
  }

  bool refuse = false;
  bool cancelEnabled = true;
  bool executeEnds = false;
  bool consumeF12 = false;
  int lastAnswer = 0;
  std::vector<int> commands;
  std::vector<int> focusAtCommand;
};

// Parses `script` (which must be well formed) and installs a host with the
// script front end and a collecting journal.
class UiHost {
 public:
  explicit UiHost(const std::string& script = "") {
    std::string error;
    auto actions = ParseScript(script, &error);
    if (!actions) throw std::runtime_error(error);
    ui = std::make_unique<ScriptFrontEnd>(std::move(*actions), journal, nullptr);
    Host h;
    h.ui = ui.get();
    h.journal = &journal;
    scoped = std::make_unique<ScopedHost>(h);
  }
  CollectJournal journal;
  std::unique_ptr<ScriptFrontEnd> ui;
  std::unique_ptr<ScopedHost> scoped;
};

}  // namespace uitest
