// The answer-script front end: drives the dialogs and message boxes without a
// person, from a UTF-8 script of actions (see README "Answer script").
#pragma once
#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/frontend.h"
#include "platform/journal.h"

namespace platform {

struct ScriptAction {
  enum class Kind { Set, Click, Key, Focus, Answer, File } kind;
  int line = 0;      // 1-based line in the script
  int id = 0;        // Set, Click, Focus
  std::string text;  // Set: CP932 text; File: CP932 path; Answer: ok/yes/no; Key: name
  Key key = Key::Enter;
  unsigned mods = 0;
  bool cancel = false;  // File: "file cancel"
};

// Parses a script; nullopt with a message naming the line on a malformed one.
std::optional<std::vector<ScriptAction>> ParseScript(const std::string& utf8, std::string* error);

class ScriptFrontEnd : public FrontEnd {
 public:
  // Message boxes are also printed to `echo` (stderr in the programs) in UTF-8
  // when it is not null.
  ScriptFrontEnd(std::vector<ScriptAction> actions, Journal& journal, std::FILE* echo);

  int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                 unsigned type) override;
  std::optional<std::string> SaveFileDialog(const FileDialogArgs& args) override;
  int RunModal(Dialog& dialog) override;
  void CreateModeless(Dialog& dialog) override;
  void Repaint(Dialog& dialog) override;
  void Destroy(Dialog& dialog) override;

  // True when a dialog could not be ended by the script's default clicks
  // (the run is then stopped as a host-layer error).
  bool Stuck() const { return stuck_; }
  // Actions not taken (yet): left over at the end of a run, they were never used.
  std::size_t PendingActions() const { return actions_.size(); }

 private:
  void Apply(Dialog& dialog, const ScriptAction& a);
  std::deque<ScriptAction> actions_;
  Journal& journal_;
  std::FILE* echo_;
  bool stuck_ = false;
};

}  // namespace platform
