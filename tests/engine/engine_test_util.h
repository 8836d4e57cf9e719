// Shared helpers of the engine tests: an in-memory engine built from SQL, and
// host fakes that capture what the engine hands to the host.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_db.h"
#include "platform/host.h"
#include "tests/support/fakes.h"

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

// Records the message boxes; answers No.
struct FrontEndSpy : test_support::RecordingFrontEnd {
  FrontEndSpy() { answer = platform::IDNO; }
};

// An Env that knows only the reverse mapping of host paths.
class MappingEnv : public test_support::NullEnv {
 public:
  std::optional<std::string> WindowsFormOf(const std::string& hostPath) override {
    asked = hostPath;
    return answer;
  }
  std::string asked;
  std::optional<std::string> answer;
};

}  // namespace enginetest
