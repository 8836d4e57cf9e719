#include "platform/journal.h"

#include <cstdio>
#include <utility>

#include "platform/cp932.h"

namespace platform {

namespace {

std::string Number(long long v) { return std::to_string(v); }

const char* Bool(bool v) { return v ? "true" : "false"; }

std::string HandleOrNull(HWND hwnd) { return hwnd == 0 ? "null" : Number(hwnd); }

// JSON string literal of a UTF-8 text.
std::string JsonUtf8(const std::string& utf8) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (char ch : utf8) {
    const unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

// Builds one object: "ev" first, then the fields in the order added.
class Object {
 public:
  explicit Object(const char* ev) : text_("{\"ev\":") { text_ += JsonUtf8(ev); }
  Object& Raw(const char* key, const std::string& json) {
    text_ += ",\"";
    text_ += key;
    text_ += "\":";
    text_ += json;
    return *this;
  }
  Object& Text(const char* key, const std::string& cp932) { return Raw(key, JsonString(cp932)); }
  Object& Int(const char* key, long long v) { return Raw(key, Number(v)); }
  std::string Done() {
    text_ += '}';
    return std::move(text_);
  }

 private:
  std::string text_;
};

const char* ButtonsName(unsigned type) { return (type & 0x0Fu) == MB_YESNO ? "yesno" : "ok"; }

const char* IconName(unsigned type) {
  switch (type & 0xF0u) {
    case MB_ICONEXCLAMATION:
      return "exclamation";
    case MB_ICONQUESTION:
      return "question";
    case MB_ICONINFORMATION:
      return "information";
    default:
      return "none";
  }
}

}  // namespace

std::string JsonString(const std::string& cp932) { return JsonUtf8(Cp932ToUtf8(cp932)); }

Journal::Journal(std::string hostPath) : path_(std::move(hostPath)) {}

void Journal::NameWindow(HWND hwnd, const std::string& name) {
  if (hwnd != 0) names_[hwnd] = name;
}

void Journal::ForgetWindow(HWND hwnd) { names_.erase(hwnd); }

void Journal::MsgBox(HWND owner, const std::string& caption, const std::string& text, unsigned type,
                     int answer) {
  std::string ownerName = "null";
  if (owner != 0) {
    auto it = names_.find(owner);
    if (it != names_.end()) ownerName = JsonString(it->second);
  }
  WriteLine(Object("msgbox")
                .Raw("owner", HandleOrNull(owner))
                .Raw("ownerName", ownerName)
                .Text("caption", caption)
                .Text("text", text)
                .Raw("buttons", JsonUtf8(ButtonsName(type)))
                .Raw("icon", JsonUtf8(IconName(type)))
                .Raw("answer", JsonUtf8(AnswerName(answer)))
                .Done());
}

void Journal::DialogOpen(int id) { WriteLine(Object("dialog-open").Int("id", id).Done()); }

void Journal::DialogWait(int id, int focus, const std::vector<ControlSnapshot>& controls) {
  std::string list = "{";
  for (const ControlSnapshot& c : controls) {
    if (list.size() > 1) list += ',';
    list += JsonUtf8(Number(c.id));
    list += ":{\"text\":";
    list += JsonString(c.text);
    list += ",\"enabled\":";
    list += Bool(c.enabled);
    if (c.isRadio) {
      list += ",\"checked\":";
      list += Bool(c.checked);
    }
    list += '}';
  }
  list += '}';
  WriteLine(Object("dialog-wait")
                .Int("id", id)
                .Raw("focus", focus == 0 ? "null" : Number(focus))
                .Raw("controls", list)
                .Done());
}

void Journal::Focus(int id) { WriteLine(Object("focus").Int("id", id).Done()); }

void Journal::FileDialog(const std::string& title, const std::string& folder,
                         const std::string& file, const std::string& ext, const std::string& filter,
                         const std::optional<std::string>& result) {
  WriteLine(Object("filedialog")
                .Text("title", title)
                .Text("folder", folder)
                .Text("file", file)
                .Text("ext", ext)
                .Text("filter", filter)
                .Raw("result", result ? JsonString(*result) : "null")
                .Done());
}

void Journal::DialogEnd(int id, int result) {
  WriteLine(Object("dialog-end").Int("id", id).Int("result", result).Done());
}

void Journal::Caption(int id, const std::string& text) {
  WriteLine(Object("caption").Int("id", id).Text("text", text).Done());
}

void Journal::ProgressClose(long steps, long ticks) {
  WriteLine(Object("progress-close").Int("steps", steps).Int("ticks", ticks).Done());
}

void Journal::Enable(HWND hwnd, bool enabled) {
  WriteLine(Object("enable").Int("hwnd", hwnd).Raw("enabled", Bool(enabled)).Done());
}

void Journal::Foreground(HWND hwnd) { WriteLine(Object("foreground").Int("hwnd", hwnd).Done()); }

void Journal::Post(HWND hwnd, std::uint32_t msg, std::intptr_t wparam, std::intptr_t lparam) {
  WriteLine(Object("post")
                .Int("hwnd", hwnd)
                .Int("msg", static_cast<std::int32_t>(msg))
                .Int("wparam", wparam)
                .Int("lparam", lparam)
                .Done());
}

void Journal::Engine(const std::string& call, long result) {
  WriteLine(Object("engine").Text("call", call).Int("result", result).Done());
}

void Journal::Exit(int status, int runResult) {
  WriteLine(Object("exit").Int("status", status).Int("runResult", runResult).Done());
}

void Journal::WriteLine(const std::string& jsonLine) {
  if (!path_) return;
  // Opened per line, so that every event is on disk as soon as it happened,
  // whatever ends the run afterwards.
  std::FILE* f = std::fopen(path_->c_str(), "ab");
  bool ok = f != nullptr;
  if (f) {
    ok = std::fwrite(jsonLine.data(), 1, jsonLine.size(), f) == jsonLine.size() &&
         std::fputc('\n', f) != EOF;
    ok = std::fclose(f) == 0 && ok;
  }
  if (!ok && !failed_) {
    failed_ = true;
    std::fprintf(stderr, "stmtlink: cannot write the journal %s\n", ValidUtf8(*path_).c_str());
  }
}

const char* AnswerName(int answer) {
  switch (answer) {
    case IDYES:
      return "yes";
    case IDNO:
      return "no";
    default:
      return "ok";
  }
}

}  // namespace platform
