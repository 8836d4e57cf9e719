// A host for the conditions tests: a temporary host folder behind a drive
// map (C fixed, D CD-ROM, E RAM disk, F removable, G unknown, R remote) and a
// share \\SRV\SHARE, an Env that can be made to fail, and a front end that
// records message boxes and file dialogs and feeds the dialog scripted steps.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_db.h"
#include "platform/cp932.h"
#include "platform/dialog.h"
#include "platform/fault_env.h"
#include "platform/frontend.h"
#include "platform/host.h"
#include "platform/host_env.h"
#include "platform/journal.h"
#include "res/edition.h"

namespace cnd_test {

namespace fs = std::filesystem;

// String literals are CP932 at run time, as the system's own texts are.
class TestFrontEnd : public platform::FrontEnd {
 public:
  struct Box {
    platform::HWND owner;
    std::string text;  // CP932
    std::string caption;
    unsigned type;
    int focusBefore;  // focus of the running dialog when the box came up
  };
  std::vector<Box> boxes;
  std::deque<int> answers;  // next message-box answers; default OK / Yes
  std::vector<platform::FileDialogArgs> fileDialogs;
  std::deque<std::optional<std::string>> files;  // next file-dialog outcomes; default cancel
  std::deque<std::function<void(platform::Dialog&)>> steps;  // the user's actions
  platform::Dialog* running = nullptr;

  int MessageBox(platform::HWND owner, const std::string& text, const std::string& caption,
                 unsigned type) override {
    boxes.push_back({owner, text, caption, type, running ? running->GetFocus() : 0});
    const bool yesNo = (type & 0x0F) == platform::MB_YESNO;
    int answer = yesNo ? platform::IDYES : platform::IDOK;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    return answer;
  }
  std::optional<std::string> SaveFileDialog(const platform::FileDialogArgs& args) override {
    fileDialogs.push_back(args);
    if (files.empty()) return std::nullopt;
    std::optional<std::string> f = files.front();
    files.pop_front();
    return f;
  }
  // Runs the steps; a dialog still open when they are used up is left open
  // (result -1) so that its state can be looked at.
  int RunModal(platform::Dialog& dialog) override {
    running = &dialog;
    dialog.AttachWindow(platform::AllocateWindowHandle());
    if (dialog.OnInitDialog() && !dialog.IsEnded()) dialog.SetInitialFocus();
    while (!dialog.IsEnded() && !steps.empty()) {
      auto step = std::move(steps.front());
      steps.pop_front();
      step(dialog);
    }
    running = nullptr;
    return dialog.IsEnded() ? dialog.Result() : -1;
  }
  void CreateModeless(platform::Dialog&) override {}
  void Repaint(platform::Dialog&) override {}
  void Destroy(platform::Dialog&) override {}
};

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    root_ = fs::temp_directory_path() /
            ("stmtlink-cnd-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    for (const char* d : {"c", "d", "e", "f", "g", "r", "share", "c/tmp"}) {
      fs::create_directories(root_ / d);
    }
    std::vector<platform::DriveMapping> drives = {
        {'C', platform::DriveType::Fixed, (root_ / "c").string()},
        {'D', platform::DriveType::CdRom, (root_ / "d").string()},
        {'E', platform::DriveType::RamDisk, (root_ / "e").string()},
        {'F', platform::DriveType::Removable, (root_ / "f").string()},
        {'G', platform::DriveType::Unknown, (root_ / "g").string()},
        {'R', platform::DriveType::Remote, (root_ / "r").string()},
    };
    std::vector<platform::ShareMapping> shares = {{"\\\\SRV\\SHARE", (root_ / "share").string()}};
    hostEnv_ = std::make_unique<platform::HostEnv>(platform::PathMapper(drives, shares),
                                                   (root_ / "c/prog/stmtlink").string(),
                                                   (root_ / "c/tmp").string());
    env_ = std::make_unique<platform::FaultEnv>(*hostEnv_);
    ui_ = TestFrontEnd();
    platform::Host h;
    h.env = env_.get();
    h.ui = &ui_;
    h.journal = &journal_;
    scoped_ = std::make_unique<platform::ScopedHost>(h);
    SelectEdition(EditionId::Birch);
  }
  void TearDown() override {
    scoped_.reset();
    SelectEdition(EditionId::Birch);
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  // Host path under drive C of a relative path in CP932 ("out/表"); host
  // file names are UTF-8.
  fs::path OnC(const std::string& rel) const { return root_ / "c" / platform::Cp932ToUtf8(rel); }
  bool DirOnC(const std::string& rel) const { return fs::is_directory(OnC(rel)); }
  void MakeDirOnC(const std::string& rel) const { fs::create_directories(OnC(rel)); }
  void WriteOnC(const std::string& rel, const std::string& bytes) const {
    fs::create_directories(OnC(rel).parent_path());
    std::ofstream(OnC(rel), std::ios::binary) << bytes;
  }
  std::string ReadOnC(const std::string& rel) const {
    std::ifstream in(OnC(rel), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::vector<std::string> FilesIn(const std::string& rel) const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(OnC(rel)))
      names.push_back(e.path().filename().string());
    return names;
  }

  fs::path root_;
  std::unique_ptr<platform::HostEnv> hostEnv_;
  std::unique_ptr<platform::FaultEnv> env_;
  TestFrontEnd ui_;
  platform::Journal journal_;
  std::unique_ptr<platform::ScopedHost> scoped_;
};

// A host with the engine's folders: output folder (type 0) and settings
// folder (type 1), as the engine database gives them.
class EngineTest : public HostTest {
 protected:
  // Folders in CP932; the database takes UTF-8 text.
  void StartEngine(const std::string& outputFolder, const std::string& settingsFolder) {
    std::string sql = "INSERT INTO engine_settings(name, value) VALUES ('output_folder', '" +
                      outputFolder + "'), ('settings_folder', '" + settingsFolder + "');";
    std::string error;
    ASSERT_TRUE(engine::UseInMemoryDatabase(platform::Cp932ToUtf8(sql), &error)) << error;
    ASSERT_EQ(ClLdgConnect::Inst()->Initiate(), 0);
  }
  void TearDown() override {
    engine::Reset();
    HostTest::TearDown();
  }
};

}  // namespace cnd_test
