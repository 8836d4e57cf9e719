#include "platform/fault_env.h"

namespace platform {

// A file of the inner Env whose writes draw on the FaultEnv's byte budget.
class FaultFile : public File {
 public:
  FaultFile(FaultEnv& env, std::unique_ptr<File> inner) : env_(env), inner_(std::move(inner)) {}
  bool Read(void* buffer, std::size_t size, std::size_t* got) override {
    return inner_->Read(buffer, size, got);
  }
  bool Write(const void* data, std::size_t size) override {
    if (size > env_.writeBudget_ || env_.written_ > env_.writeBudget_ - size) return false;
    if (!inner_->Write(data, size)) return false;
    env_.written_ += size;
    return true;
  }
  bool Close() override { return inner_->Close(); }

 private:
  FaultEnv& env_;
  std::unique_ptr<File> inner_;
};

namespace {
bool ContainsAny(const std::set<std::string>& fragments, const std::string& path) {
  for (const std::string& f : fragments) {
    if (path.find(f) != std::string::npos) return true;
  }
  return false;
}
}  // namespace

void FaultEnv::FailWritesAfterBytes(std::uint64_t bytes) { writeBudget_ = bytes; }
void FaultEnv::FailOpenForWrite(const std::string& fragment) { failOpen_.insert(fragment); }
void FaultEnv::FailCreateDirectory(const std::string& fragment) { failMkdir_.insert(fragment); }
void FaultEnv::FailReplace() { failReplace_ = true; }
void FaultEnv::FailAllocation(const std::string& what, int nth) {
  allocations_[what] = AllocationFault{nth < 1 ? 1 : nth, 0};
}

bool FaultEnv::Access(const std::string& path, int mode) { return inner_.Access(path, mode); }
bool FaultEnv::IsDirectory(const std::string& path) { return inner_.IsDirectory(path); }
DriveType FaultEnv::GetDriveType(const std::string& root) { return inner_.GetDriveType(root); }

bool FaultEnv::CreateDirectory(const std::string& path) {
  if (ContainsAny(failMkdir_, path)) return false;
  return inner_.CreateDirectory(path);
}

bool FaultEnv::RemoveDirectory(const std::string& path) { return inner_.RemoveDirectory(path); }

std::optional<FileStatus> FaultEnv::GetStatus(const std::string& path) {
  return inner_.GetStatus(path);
}

std::unique_ptr<File> FaultEnv::Open(const std::string& path, OpenMode mode) {
  if (mode != OpenMode::Read && ContainsAny(failOpen_, path)) return nullptr;
  std::unique_ptr<File> inner = inner_.Open(path, mode);
  if (!inner) return nullptr;
  return std::make_unique<FaultFile>(*this, std::move(inner));
}

bool FaultEnv::DeleteFile(const std::string& path) { return inner_.DeleteFile(path); }

bool FaultEnv::ReplaceFile(const std::string& from, const std::string& to) {
  if (failReplace_) return false;
  return inner_.ReplaceFile(from, to);
}

std::string FaultEnv::GetTempPath() { return inner_.GetTempPath(); }
std::string FaultEnv::GetCurrentDirectory() { return inner_.GetCurrentDirectory(); }
bool FaultEnv::SetCurrentDirectory(const std::string& path) {
  return inner_.SetCurrentDirectory(path);
}
std::string FaultEnv::GetModuleFileName() { return inner_.GetModuleFileName(); }

bool FaultEnv::MayAllocate(std::string_view what) {
  auto it = allocations_.find(std::string(what));
  if (it != allocations_.end() && ++it->second.calls >= it->second.nth) return false;
  return inner_.MayAllocate(what);
}

std::optional<std::string> FaultEnv::WindowsFormOf(const std::string& hostPath) {
  return inner_.WindowsFormOf(hostPath);
}

}  // namespace platform
