// Stand-ins that several test programs share: a front end that records the
// message boxes it is shown, and an Env with nothing behind it.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/frontend.h"
#include "platform/types.h"

namespace test_support {

struct ShownBox {
  platform::HWND owner;
  std::string text;
  std::string caption;
  unsigned type;
};

// Records every message box and answers with `answer`; has no dialogs.
class RecordingFrontEnd : public platform::FrontEnd {
 public:
  int MessageBox(platform::HWND owner, const std::string& text, const std::string& caption,
                 unsigned type) override {
    boxes.push_back({owner, text, caption, type});
    return answer;
  }
  std::optional<std::string> SaveFileDialog(const platform::FileDialogArgs&) override {
    return std::nullopt;
  }
  int RunModal(platform::Dialog&) override { return 0; }
  void CreateModeless(platform::Dialog&) override {}
  void Repaint(platform::Dialog&) override {}
  void Destroy(platform::Dialog&) override {}

  std::vector<ShownBox> boxes;
  int answer = platform::IDOK;
};

// An Env with nothing behind it: every file operation fails. Wrap it in a
// FaultEnv where only MayAllocate matters, or derive to answer one question.
class NullEnv : public platform::Env {
 public:
  bool Access(const std::string&, int) override { return false; }
  bool IsDirectory(const std::string&) override { return false; }
  platform::DriveType GetDriveType(const std::string&) override {
    return platform::DriveType::NoRootDir;
  }
  bool CreateDirectory(const std::string&) override { return false; }
  bool RemoveDirectory(const std::string&) override { return false; }
  std::optional<platform::FileStatus> GetStatus(const std::string&) override {
    return std::nullopt;
  }
  std::unique_ptr<platform::File> Open(const std::string&, platform::OpenMode) override {
    return nullptr;
  }
  bool DeleteFile(const std::string&) override { return false; }
  bool ReplaceFile(const std::string&, const std::string&) override { return false; }
  std::string GetTempPath() override { return "C:\\TEMP\\"; }
  std::string GetCurrentDirectory() override { return "C:\\"; }
  bool SetCurrentDirectory(const std::string&) override { return false; }
  std::string GetModuleFileName() override { return "C:\\stmtlink.exe"; }
};

}  // namespace test_support
