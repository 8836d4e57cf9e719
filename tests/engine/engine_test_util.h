// Shared helpers of the engine tests: an in-memory engine built from SQL, and
// host fakes that capture what the engine hands to the host.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_db.h"
#include "platform/host.h"

namespace enginetest {

// SQL text from a u8 literal: narrow literals are CP932 in this build, but
// the database reads its SQL as UTF-8.
inline std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { engine::Reset(); }
  void TearDown() override { engine::Reset(); }

  // Builds the in-memory database and initiates the connection on it.
  int Connect(const std::string& sql) {
    std::string error;
    EXPECT_TRUE(engine::UseInMemoryDatabase(sql, &error)) << error;
    return ClLdgConnect::Inst()->Initiate();
  }
};

class JournalSpy : public platform::Journal {
 public:
  void WriteLine(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

class FrontEndSpy : public platform::FrontEnd {
 public:
  int MessageBox(platform::HWND owner, const std::string& text, const std::string& caption,
                 unsigned type) override {
    this->owner = owner;
    this->text = text;
    this->caption = caption;
    this->type = type;
    ++calls;
    return answer;
  }
  std::optional<std::string> SaveFileDialog(const platform::FileDialogArgs&) override {
    return std::nullopt;
  }
  int RunModal(platform::Dialog&) override { return 0; }
  void CreateModeless(platform::Dialog&) override {}
  void Repaint(platform::Dialog&) override {}
  void Destroy(platform::Dialog&) override {}

  platform::HWND owner = 0;
  std::string text, caption;
  unsigned type = 0;
  int calls = 0;
  int answer = platform::IDNO;
};

// An Env that knows only the reverse mapping of host paths.
class MappingEnv : public platform::Env {
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
  std::string GetTempPath() override { return "C:\\tmp\\"; }
  std::string GetCurrentDirectory() override { return "C:\\"; }
  bool SetCurrentDirectory(const std::string&) override { return false; }
  std::string GetModuleFileName() override { return "C:\\stmtlink.exe"; }
  std::optional<std::string> WindowsFormOf(const std::string& hostPath) override {
    asked = hostPath;
    return answer;
  }
  std::string asked;
  std::optional<std::string> answer;
};

}  // namespace enginetest
