// A host for the report tests: a temporary host folder mapped as drive C
// (the current directory), a front end that records message boxes and a
// progress sink that counts.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fault_env.h"
#include "platform/frontend.h"
#include "platform/host.h"
#include "platform/host_env.h"
#include "statements/progress_sink.h"
#include "tests/support/fakes.h"

namespace reptest {

using test_support::ShownBox;
using RecordingUi = test_support::RecordingFrontEnd;

class CountingProgress : public ClProgressSink {
 public:
  void AdvanceTo(std::int16_t from, std::int16_t to) override { ranges.push_back({from, to}); }
  void Tick() override { ++ticks; }
  int ticks = 0;
  std::vector<std::pair<int, int>> ranges;
};

class HostFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::temp_directory_path() /
            ("stmtlink-rep-" + std::to_string(std::random_device{}()) + "-" + info->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "prog");
    env_ = std::make_unique<platform::HostEnv>(
        platform::PathMapper({{'C', platform::DriveType::Fixed, root_.string()}}, {}),
        (root_ / "prog" / "stmtlink-birch").string(), root_.string());
    ASSERT_TRUE(env_->SetCurrentDirectory("C:\\"));
    fault_ = std::make_unique<platform::FaultEnv>(*env_);
    UseEnv(env_.get());
  }
  void TearDown() override {
    scoped_.reset();
    std::filesystem::remove_all(root_);
  }
  void UseEnv(platform::Env* env) {
    scoped_.reset();
    scoped_ = std::make_unique<platform::ScopedHost>(platform::Host{env, nullptr, &ui_, nullptr});
  }
  // Host-side access for setting up and checking files (names are ASCII).
  std::filesystem::path HostPath(const std::string& name) const { return root_ / name; }
  void PutFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(HostPath(name), std::ios::binary);
    out << bytes;
  }
  std::string FileBytes(const std::string& name) const {
    std::ifstream in(HostPath(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(root_)) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path root_;
  std::unique_ptr<platform::HostEnv> env_;
  std::unique_ptr<platform::FaultEnv> fault_;
  RecordingUi ui_;
  std::unique_ptr<platform::ScopedHost> scoped_;
};

}  // namespace reptest
