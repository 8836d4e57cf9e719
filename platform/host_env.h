// Env on the Linux host: Windows-form CP932 paths are mapped onto host
// folders through a drive map and a share map.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/env.h"

namespace platform {

struct DriveMapping {
  char letter;  // upper case
  DriveType type;
  std::string hostRoot;  // UTF-8 host folder
};

struct ShareMapping {
  std::string share;  // CP932 "\\SERVER\SHARE", compared without regard to ASCII case
  std::string hostRoot;
};

// "C=fixed:/;D=cdrom:/mnt/cd"; nullopt and a message on a malformed map.
std::optional<std::vector<DriveMapping>> ParseDriveMap(const std::string& text, std::string* error);
// "\\SRV\SHARE=/srv/share;..." (UTF-8 text, converted to CP932 for matching).
std::optional<std::vector<ShareMapping>> ParseShareMap(const std::string& text, std::string* error);

class PathMapper {
 public:
  PathMapper(std::vector<DriveMapping> drives, std::vector<ShareMapping> shares);
  // Host path for a Windows path (relative paths against cwd); nullopt when
  // the path cannot be mapped. `.` and `..` never climb above the root.
  std::optional<std::string> ToHost(const std::string& windowsPath, const std::string& cwd) const;
  // Windows form of a host path: the drive with the longest host root that
  // contains it; nullopt when none does.
  std::optional<std::string> ToWindows(const std::string& hostPath) const;
  const DriveMapping* Drive(char letter) const;

 private:
  std::vector<DriveMapping> drives_;
  std::vector<ShareMapping> shares_;
};

class HostEnv : public Env {
 public:
  // programHostPath: the executable (or the stand-in program folder's
  // program file); tmpHostDir: $TMPDIR or /tmp.
  HostEnv(PathMapper mapper, std::string programHostPath, std::string tmpHostDir);

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
  std::optional<std::string> WindowsFormOf(const std::string& hostPath) override;

  std::optional<std::string> ToHost(const std::string& windowsPath) const;
  const PathMapper& Mapper() const { return mapper_; }

 private:
  PathMapper mapper_;
  std::string programHostPath_;
  std::string tmpHostDir_;
  std::string cwd_;  // Windows form
};

}  // namespace platform
