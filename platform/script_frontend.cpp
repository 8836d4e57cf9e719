#include "platform/script_frontend.h"

#include <string_view>
#include <utility>

#include "platform/cp932.h"
#include "platform/dialog.h"
#include "platform/host.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// A control ID: decimal digits only.
bool ParseId(std::string_view s, int* id) {
  if (s.empty() || s.size() > 9) return false;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *id = v;
  return true;
}

bool ParseKey(std::string_view s, Key* key, unsigned* mods) {
  static constexpr std::pair<std::string_view, unsigned> kMods[] = {
      {"Shift+", kModShift}, {"Ctrl+", kModCtrl}, {"Alt+", kModAlt}};
  static constexpr std::pair<std::string_view, Key> kKeys[] = {
      {"Enter", Key::Enter}, {"F12", Key::F12}, {"Esc", Key::Esc}, {"Tab", Key::Tab}};
  *mods = 0;
  for (bool more = true; more;) {
    more = false;
    for (const auto& [prefix, mod] : kMods) {
      if (s.substr(0, prefix.size()) == prefix) {
        if (*mods & mod) return false;  // the same modifier twice
        *mods |= mod;
        s.remove_prefix(prefix.size());
        more = true;
      }
    }
  }
  for (const auto& [name, k] : kKeys) {
    if (s == name) {
      *key = k;
      return true;
    }
  }
  return false;
}

enum class LineResult { Ok, Malformed, NoCp932 };

LineResult ParseLine(std::string_view line, ScriptAction* a) {
  std::string_view rest = SkipBlanks(line);
  const std::size_t end = rest.find_first_of(" \t");
  const std::string_view word = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);

  if (word == "set") {
    a->kind = ScriptAction::Kind::Set;
    rest = SkipBlanks(rest);
    const std::size_t idEnd = rest.find(' ');
    if (!ParseId(rest.substr(0, idEnd), &a->id)) return LineResult::Malformed;
    // The text is everything after the one blank that follows the ID.
    const std::string_view text =
        idEnd == std::string_view::npos ? std::string_view() : rest.substr(idEnd + 1);
    std::optional<std::string> cp932 = Utf8ToCp932(text);
    if (!cp932) return LineResult::NoCp932;
    a->text = std::move(*cp932);
    return LineResult::Ok;
  }
  if (word == "click" || word == "focus") {
    a->kind = word == "click" ? ScriptAction::Kind::Click : ScriptAction::Kind::Focus;
    return ParseId(TrimRight(SkipBlanks(rest)), &a->id) ? LineResult::Ok : LineResult::Malformed;
  }
  if (word == "key") {
    a->kind = ScriptAction::Kind::Key;
    const std::string_view name = TrimRight(SkipBlanks(rest));
    if (!ParseKey(name, &a->key, &a->mods)) return LineResult::Malformed;
    a->text = std::string(name);
    return LineResult::Ok;
  }
  if (word == "answer") {
    a->kind = ScriptAction::Kind::Answer;
    const std::string_view value = TrimRight(SkipBlanks(rest));
    if (value != "ok" && value != "yes" && value != "no") return LineResult::Malformed;
    a->text = std::string(value);
    return LineResult::Ok;
  }
  if (word == "file") {
    a->kind = ScriptAction::Kind::File;
    // The path is the rest of the line after the one blank, kept as it stands.
    if (rest.size() < 2 || rest.front() != ' ') return LineResult::Malformed;
    const std::string_view path = rest.substr(1);
    if (path == "cancel") {
      a->cancel = true;
      return LineResult::Ok;
    }
    std::optional<std::string> cp932 = Utf8ToCp932(path);
    if (!cp932) return LineResult::NoCp932;
    a->text = std::move(*cp932);
    return LineResult::Ok;
  }
  return LineResult::Malformed;
}

bool IsDialogAction(const ScriptAction& a) {
  switch (a.kind) {
    case ScriptAction::Kind::Set:
    case ScriptAction::Kind::Click:
    case ScriptAction::Kind::Key:
    case ScriptAction::Kind::Focus:
      return true;
    default:
      return false;
  }
}

// The execute and cancel buttons that a waiting dialog is clicked on when
// the script has no dialog action for it.
constexpr int kExecuteId = 1002;
constexpr int kCancelId = 1003;

}  // namespace

std::optional<std::vector<ScriptAction>> ParseScript(const std::string& utf8, std::string* error) {
  std::vector<ScriptAction> actions;
  std::string_view rest = utf8;
  if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);  // a UTF-8 byte order mark
  for (int number = 1; !rest.empty(); ++number) {
    const std::size_t nl = rest.find('\n');
    std::string_view line = rest.substr(0, nl);
    rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view lead = SkipBlanks(line);
    if (lead.empty() || lead.front() == '#') continue;

    ScriptAction a{};
    a.line = number;
    const LineResult r = ParseLine(line, &a);
    if (r != LineResult::Ok) {
      if (error) {
        *error = "line " + std::to_string(number) +
                 (r == LineResult::NoCp932
                      ? ": a character has no CP932 form (or the line is not UTF-8): "
                      : ": not an action: ") +
                 std::string(line);
      }
      return std::nullopt;
    }
    actions.push_back(std::move(a));
  }
  return actions;
}

ScriptFrontEnd::ScriptFrontEnd(std::vector<ScriptAction> actions, Journal& journal, std::FILE* echo)
    : actions_(actions.begin(), actions.end()), journal_(journal), echo_(echo) {}

int ScriptFrontEnd::MessageBox(HWND owner, const std::string& text, const std::string& caption,
                               unsigned type) {
  const bool yesNo = (type & 0x0Fu) == MB_YESNO;
  int answer = yesNo ? IDYES : IDOK;
  if (!actions_.empty() && actions_.front().kind == ScriptAction::Kind::Answer) {
    const std::string word = actions_.front().text;
    actions_.pop_front();
    // An answer the box has no button for counts as its default.
    if (yesNo && word == "no") answer = IDNO;
  }
  journal_.MsgBox(owner, caption, text, type, answer);
  if (echo_) {
    std::fprintf(echo_, "[%s] %s\n  -> %s\n", Cp932ToUtf8(caption).c_str(),
                 Cp932ToUtf8(text).c_str(), AnswerName(answer));
    std::fflush(echo_);
  }
  return answer;
}

std::optional<std::string> ScriptFrontEnd::SaveFileDialog(const FileDialogArgs& args) {
  std::optional<std::string> result;
  if (!actions_.empty() && actions_.front().kind == ScriptAction::Kind::File) {
    if (!actions_.front().cancel) result = actions_.front().text;
    actions_.pop_front();
  }
  journal_.FileDialog(args.title, args.folder, args.file, args.ext, args.filter, result);
  return result;
}

int ScriptFrontEnd::RunModal(Dialog& dialog) {
  const int id = dialog.TemplateId();
  dialog.AttachWindow(AllocateWindowHandle());
  journal_.DialogOpen(id);
  if (dialog.OnInitDialog() && !dialog.IsEnded()) dialog.SetInitialFocus();

  // Default clicks given since the last dialog action taken from the script.
  int defaultClicks = 0;
  while (!dialog.IsEnded()) {
    journal_.DialogWait(id, dialog.GetFocus(), dialog.Snapshot());
    if (!actions_.empty() && IsDialogAction(actions_.front())) {
      const ScriptAction a = std::move(actions_.front());
      actions_.pop_front();
      defaultClicks = 0;
      Apply(dialog, a);
    } else if (defaultClicks == 0) {
      defaultClicks = 1;
      dialog.UserClick(kExecuteId);
    } else if (defaultClicks == 1) {
      defaultClicks = 2;
      dialog.UserClick(kCancelId);
    } else {
      // Neither execute nor cancel ends it: the script cannot go on, and the
      // program reports that (Stuck()).
      stuck_ = true;
      dialog.EndDialog(kCancelId);
    }
  }
  journal_.DialogEnd(id, dialog.Result());
  return dialog.Result();
}

void ScriptFrontEnd::Apply(Dialog& dialog, const ScriptAction& a) {
  if (a.kind != ScriptAction::Kind::Key && !dialog.HasControl(a.id) && echo_) {
    std::fprintf(echo_, "answer script line %d: dialog %d has no control %d; ignored\n", a.line,
                 dialog.TemplateId(), a.id);
  }
  switch (a.kind) {
    case ScriptAction::Kind::Set:
      dialog.UserSetText(a.id, a.text);
      break;
    case ScriptAction::Kind::Click:
      dialog.UserClick(a.id);
      break;
    case ScriptAction::Kind::Focus:
      dialog.UserFocus(a.id);
      break;
    case ScriptAction::Kind::Key:
      dialog.UserKey(a.key, a.mods);
      break;
    default:
      break;
  }
}

// Nothing to show without windows: the dialogs' state is the journal's.
void ScriptFrontEnd::CreateModeless(Dialog&) {}
void ScriptFrontEnd::Repaint(Dialog&) {}
void ScriptFrontEnd::Destroy(Dialog&) {}

}  // namespace platform
