// The run's journal: one JSON object per line, UTF-8, appended in the order
// things happen. A journal without a file records nothing. Texts are passed
// in CP932 and converted (bytes without a CP932 reading become U+FFFD).
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

struct ControlSnapshot {
  int id = 0;
  std::string text;  // CP932 window text
  bool enabled = true;
  bool isRadio = false;
  bool checked = false;
};

class Journal {
 public:
  Journal() = default;  // records nothing
  explicit Journal(std::string hostPath);
  virtual ~Journal() = default;

  // Owner names of message boxes: a handle registered here is written with
  // its name ("caller", "conditions", "progress"); 0 is always null.
  void NameWindow(HWND hwnd, const std::string& name);
  void ForgetWindow(HWND hwnd);

  void MsgBox(HWND owner, const std::string& caption, const std::string& text, unsigned type,
              int answer);
  void DialogOpen(int id);
  void DialogWait(int id, int focus, const std::vector<ControlSnapshot>& controls);
  void Focus(int id);
  void FileDialog(const std::string& title, const std::string& folder, const std::string& file,
                  const std::string& ext, const std::string& filter,
                  const std::optional<std::string>& result);
  void DialogEnd(int id, int result);
  void Caption(int id, const std::string& text);
  void ProgressClose(long steps, long ticks);
  void Enable(HWND hwnd, bool enabled);
  void Foreground(HWND hwnd);
  void Post(HWND hwnd, std::uint32_t msg, std::intptr_t wparam, std::intptr_t lparam);
  void Engine(const std::string& call, long result);
  void Exit(int status, int runResult);

  // Writes one complete JSON object line (already UTF-8). Overridable so
  // that tests can collect the lines.
  virtual void WriteLine(const std::string& jsonLine);

 private:
  std::optional<std::string> path_;
  std::map<HWND, std::string> names_;
  bool failed_ = false;  // the file could not be written (reported once)
};

// The word for a message-box answer: "ok", "yes" or "no".
const char* AnswerName(int answer);

// JSON string literal (with quotes) of a CP932 text.
std::string JsonString(const std::string& cp932);

}  // namespace platform
