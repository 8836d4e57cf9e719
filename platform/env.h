// The host layer's view of files, folders and drives. Every path is a
// Windows-form path in CP932, handled byte by byte as the original platform
// does; implementations map it onto the host (see host_env.h) or fake it.
// Every failure is a result, never an exception.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// GetDriveTypeA results.
enum class DriveType {
  Unknown = 0,
  NoRootDir = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

struct FileStatus {
  std::uint64_t size = 0;
  bool isDirectory = false;
};

enum class OpenMode {
  Read,       // existing file, reading; others may read and write
  Write,      // create or truncate, writing; not shared while open
  ReadWrite,  // existing file, reading and writing
};

// An open file. Read and Write report failure as false; a short write is a
// failure. Close may be called more than once.
class File {
 public:
  virtual ~File() = default;
  virtual bool Read(void* buffer, std::size_t size, std::size_t* got) = 0;
  virtual bool Write(const void* data, std::size_t size) = 0;
  virtual bool Close() = 0;
};

class Env {
 public:
  virtual ~Env() = default;

  // _access: mode 0 existence, 2 write, 4 read, 6 read and write.
  virtual bool Access(const std::string& path, int mode) = 0;
  // PathIsDirectoryA.
  virtual bool IsDirectory(const std::string& path) = 0;
  // GetDriveTypeA on a root such as "C:\".
  virtual DriveType GetDriveType(const std::string& root) = 0;
  // CreateDirectoryA (one level) and RemoveDirectoryA (an empty folder).
  virtual bool CreateDirectory(const std::string& path) = 0;
  virtual bool RemoveDirectory(const std::string& path) = 0;
  // CFile::GetStatus: nullopt when nothing exists at the path.
  virtual std::optional<FileStatus> GetStatus(const std::string& path) = 0;
  // Opens a file; null on failure.
  virtual std::unique_ptr<File> Open(const std::string& path, OpenMode mode) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;
  // Replaces `to` by `from` in one step (both in the same folder): either the
  // old `to` stays whole or the new content is in place.
  virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
  // GetTempPathA: the temporary folder, ending in a backslash.
  virtual std::string GetTempPath() = 0;
  virtual std::string GetCurrentDirectory() = 0;
  virtual bool SetCurrentDirectory(const std::string& path) = 0;
  // GetModuleFileNameA: the program's full path in Windows form.
  virtual std::string GetModuleFileName() = 0;
  // Asked before the system allocates one of its own heap objects or
  // buffers; `what` names it ("AccountSum", "ClRuleKamoku", "SupportInf",
  // ...). False stands for an allocation failure.
  virtual bool MayAllocate(std::string_view what) {
    (void)what;
    return true;
  }
  // The Windows form of a host path (UTF-8), by the reverse drive mapping;
  // nullopt when no mapped drive contains it.
  virtual std::optional<std::string> WindowsFormOf(const std::string& hostPath) {
    (void)hostPath;
    return std::nullopt;
  }
};

// Reads a whole file; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(Env& env, const std::string& path);

// Writes `content` to a new temporary file in the folder of `target` and puts
// it in place of `target` with ReplaceFile. On any failure `target` is as it
// was and no temporary file is left behind.
bool WriteFileReplacing(Env& env, const std::string& target, std::string_view content);

// A temporary file name in the folder of `target` (same folder, so that
// ReplaceFile is one step): "~stmtlink-PID-N.tmp", not yet taken.
std::string TemporarySibling(Env& env, const std::string& target);

}  // namespace platform
