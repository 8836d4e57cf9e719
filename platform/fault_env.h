// An Env wrapper that makes chosen operations fail, for tests.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/env.h"

namespace platform {

class FaultEnv : public Env {
 public:
  explicit FaultEnv(Env& inner) : inner_(inner) {}

  // Writes fail once this many bytes have been written in total through files
  // this Env opened (a full disk); the failing write writes nothing.
  void FailWritesAfterBytes(std::uint64_t bytes);
  // Opening a file for writing fails when the path contains `fragment`.
  void FailOpenForWrite(const std::string& fragment);
  // CreateDirectory fails for a path containing `fragment`.
  void FailCreateDirectory(const std::string& fragment);
  // ReplaceFile fails.
  void FailReplace();
  // MayAllocate(what) gives false from its `nth` call for `what` on (1-based).
  void FailAllocation(const std::string& what, int nth = 1);

  bool Access(const std::string& path, int mode) override;
  bool IsDirectory(const std::string& path) override;
  DriveType GetDriveType(const std::string& root) override;
  bool CreateDirectory(const std::string& path) override;
  bool RemoveDirectory(const std::string& path) override;
  std::optional<FileStatus> GetStatus(const std::string& path) override;
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override;
  bool DeleteFile(const std::string& path) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  std::string GetTempPath() override;
  std::string GetCurrentDirectory() override;
  bool SetCurrentDirectory(const std::string& path) override;
  std::string GetModuleFileName() override;
  bool MayAllocate(std::string_view what) override;
  std::optional<std::string> WindowsFormOf(const std::string& hostPath) override;

 private:
  struct AllocationFault {
    int nth = 1;
    int calls = 0;
  };
  Env& inner_;
  // state is the implementer's
  std::uint64_t writeBudget_ = UINT64_MAX;
  std::uint64_t written_ = 0;
  std::set<std::string> failOpen_, failMkdir_;
  bool failReplace_ = false;
  std::map<std::string, AllocationFault> allocations_;
  friend class FaultFile;
};

}  // namespace platform
