#include "platform/host_env.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/cp932.h"

namespace platform {

namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Share names compare without regard to ASCII case; the bytes of a
// double-byte character compare exactly.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    std::size_t n = CharLength(a, i);
    if (n == 2 ? a.compare(i, 2, b, i, 2) != 0 : AsciiUpper(a[i]) != AsciiUpper(b[i])) {
      return false;
    }
    i += n;
  }
  return true;
}

// Components of a CP932 Windows path between separators (\ or /, never the
// trail byte of a double-byte character); empty components are dropped.
std::vector<std::string> SplitWindows(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (std::size_t i = 0; i < path.size();) {
    std::size_t n = CharLength(path, i);
    if (n == 1 && IsSep(path[i])) {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current.append(path.substr(i, n));
    }
    i += n;
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

bool EndsInSeparator(std::string_view path) {
  return !path.empty() && IsSep(path.back()) && !IsInDoubleByteChar(path, path.size() - 1);
}

// A name the original platform accepts as one file or folder name.
bool IsValidName(std::string_view cp932) {
  for (std::size_t i = 0; i < cp932.size();) {
    std::size_t n = CharLength(cp932, i);
    if (n == 1) {
      unsigned char c = static_cast<unsigned char>(cp932[i]);
      if (c < 0x20 || std::strchr("<>:\"|?*\\/", c) != nullptr) return false;
    }
    i += n;
  }
  return true;
}

// An absolute Windows path after lexical resolution.
struct WinPath {
  char letter = 0;    // the drive, upper case; 0 for a network path
  std::string share;  // "\\SERVER\SHARE" as written, for a network path
  std::vector<std::string> parts;
  bool trailingSeparator = false;
};

void Append(WinPath& p, const std::vector<std::string>& parts) {
  for (const std::string& part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      if (!p.parts.empty()) p.parts.pop_back();  // never above the root
      continue;
    }
    p.parts.push_back(part);
  }
}

std::optional<WinPath> Resolve(std::string_view path, std::string_view cwd) {
  if (path.empty()) return std::nullopt;
  WinPath result;
  if (path.size() >= 2 && IsSep(path[0]) && IsSep(path[1])) {
    std::vector<std::string> parts = SplitWindows(path.substr(2));
    if (parts.size() < 2) return std::nullopt;
    for (int i = 0; i < 2; ++i) {
      if (parts[i] == "." || parts[i] == "..") return std::nullopt;
    }
    result.share = "\\\\" + parts[0] + "\\" + parts[1];
    Append(result, std::vector<std::string>(parts.begin() + 2, parts.end()));
  } else if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
    char letter = AsciiUpper(path[0]);
    std::string_view rest = path.substr(2);
    if (rest.empty() || !IsSep(rest[0])) {
      // "C:foo": against the current directory when it is on that drive,
      // else against the drive's root.
      std::optional<WinPath> base = cwd.empty() ? std::nullopt : Resolve(cwd, "");
      if (base && base->letter == letter) result = *base;
    }
    result.letter = letter;
    result.share.clear();
    Append(result, SplitWindows(rest));
  } else {
    if (cwd.empty()) return std::nullopt;
    std::optional<WinPath> base = Resolve(cwd, "");
    if (!base) return std::nullopt;
    result = *base;
    if (IsSep(path[0])) result.parts.clear();  // "\foo": the root of the current drive
    Append(result, SplitWindows(path));
  }
  result.trailingSeparator = !result.parts.empty() && EndsInSeparator(path);
  return result;
}

std::string WindowsString(const WinPath& p) {
  std::string s = p.letter ? std::string(1, p.letter) + ":" : p.share;
  if (p.parts.empty()) return s + "\\";
  for (const std::string& part : p.parts) s += "\\" + part;
  return s;
}

// Host paths are made absolute and resolved lexically, without a trailing
// slash (except for "/").
std::vector<std::string> HostComponents(const std::string& hostPath) {
  std::string path = hostPath;
  if (path.empty() || path[0] != '/') {
    char buf[4096];
    if (::getcwd(buf, sizeof buf) != nullptr) path = std::string(buf) + "/" + path;
  }
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i <= path.size()) {
    std::size_t end = path.find('/', i);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(i, end - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = end + 1;
  }
  return parts;
}

std::string JoinHost(const std::vector<std::string>& parts) {
  if (parts.empty()) return "/";
  std::string s;
  for (const std::string& part : parts) s += "/" + part;
  return s;
}

std::string NormalizeHostPath(const std::string& hostPath) {
  return JoinHost(HostComponents(hostPath));
}

bool IsHostDirectory(const std::string& hostPath) {
  struct stat st;
  return ::stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> SplitEntries(const std::string& text) {
  std::vector<std::string> entries;
  std::size_t i = 0;
  while (i <= text.size()) {
    std::size_t end = text.find(';', i);
    if (end == std::string::npos) end = text.size();
    if (end > i) entries.push_back(text.substr(i, end - i));
    i = end + 1;
  }
  return entries;
}

bool Fail(std::string* error, const std::string& message) {
  if (error) *error = message;
  return false;
}

std::optional<DriveType> DriveTypeNamed(std::string name) {
  for (char& c : name) c = static_cast<char>(AsciiUpper(c));
  static const struct {
    const char* name;
    DriveType type;
  } kTypes[] = {{"FIXED", DriveType::Fixed},     {"REMOVABLE", DriveType::Removable},
                {"REMOTE", DriveType::Remote},   {"CDROM", DriveType::CdRom},
                {"RAMDISK", DriveType::RamDisk}, {"UNKNOWN", DriveType::Unknown}};
  for (const auto& t : kTypes) {
    if (name == t.name) return t.type;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<DriveMapping>> ParseDriveMap(const std::string& text,
                                                       std::string* error) {
  std::vector<DriveMapping> drives;
  for (const std::string& entry : SplitEntries(text)) {
    const std::string where = "entry \"" + entry + "\": ";
    std::size_t eq = entry.find('=');
    std::size_t colon = entry.find(':', eq == std::string::npos ? 0 : eq);
    if (eq == std::string::npos || colon == std::string::npos) {
      Fail(error, where + "expected LETTER=TYPE:HOSTROOT");
      return std::nullopt;
    }
    if (eq != 1 || !IsAsciiLetter(entry[0])) {
      Fail(error, where + "the drive must be one letter A-Z");
      return std::nullopt;
    }
    std::optional<DriveType> type = DriveTypeNamed(entry.substr(eq + 1, colon - eq - 1));
    if (!type) {
      Fail(error, where + "the type must be fixed, removable, remote, cdrom, ramdisk or unknown");
      return std::nullopt;
    }
    std::string root = entry.substr(colon + 1);
    if (root.empty()) {
      Fail(error, where + "the host root is empty");
      return std::nullopt;
    }
    char letter = AsciiUpper(entry[0]);
    for (const DriveMapping& d : drives) {
      if (d.letter == letter) {
        Fail(error, where + "drive " + std::string(1, letter) + " is mapped twice");
        return std::nullopt;
      }
    }
    drives.push_back(DriveMapping{letter, *type, NormalizeHostPath(root)});
  }
  return drives;
}

std::optional<std::vector<ShareMapping>> ParseShareMap(const std::string& text,
                                                       std::string* error) {
  std::vector<ShareMapping> shares;
  for (const std::string& entry : SplitEntries(text)) {
    const std::string where = "entry \"" + entry + "\": ";
    std::size_t eq = entry.find('=');
    if (eq == std::string::npos) {
      Fail(error, where + "expected \\\\SERVER\\SHARE=HOSTROOT");
      return std::nullopt;
    }
    // UTF-8 has no 0x5C inside a character, so the name splits before conversion.
    std::string name = entry.substr(0, eq);
    std::vector<std::string> parts;
    bool ok = name.size() > 2 && IsSep(name[0]) && IsSep(name[1]);
    if (ok) {
      std::string current;
      for (std::size_t i = 2; i <= name.size(); ++i) {
        if (i == name.size() || IsSep(name[i])) {
          parts.push_back(current);
          current.clear();
        } else {
          current += name[i];
        }
      }
      if (parts.size() == 3 && parts[2].empty()) parts.pop_back();  // a final backslash
      ok = parts.size() == 2 && !parts[0].empty() && !parts[1].empty();
    }
    if (!ok) {
      Fail(error, where + "the share must be \\\\SERVER\\SHARE");
      return std::nullopt;
    }
    std::optional<std::string> server = Utf8ToCp932(parts[0]);
    std::optional<std::string> shareName = Utf8ToCp932(parts[1]);
    if (!server || !shareName) {
      Fail(error, where + "the share name has a character without a CP932 form");
      return std::nullopt;
    }
    std::string root = entry.substr(eq + 1);
    if (root.empty()) {
      Fail(error, where + "the host root is empty");
      return std::nullopt;
    }
    std::string share = "\\\\" + *server + "\\" + *shareName;
    for (const ShareMapping& s : shares) {
      if (SameName(s.share, share)) {
        Fail(error, where + "the share is mapped twice");
        return std::nullopt;
      }
    }
    shares.push_back(ShareMapping{share, NormalizeHostPath(root)});
  }
  return shares;
}

PathMapper::PathMapper(std::vector<DriveMapping> drives, std::vector<ShareMapping> shares)
    : drives_(std::move(drives)), shares_(std::move(shares)) {
  for (DriveMapping& d : drives_) d.hostRoot = NormalizeHostPath(d.hostRoot);
  for (ShareMapping& s : shares_) s.hostRoot = NormalizeHostPath(s.hostRoot);
}

const DriveMapping* PathMapper::Drive(char letter) const {
  letter = AsciiUpper(letter);
  for (const DriveMapping& d : drives_) {
    if (d.letter == letter) return &d;
  }
  return nullptr;
}

std::optional<std::string> PathMapper::ToHost(const std::string& windowsPath,
                                              const std::string& cwd) const {
  std::optional<WinPath> p = Resolve(windowsPath, cwd);
  if (!p) return std::nullopt;
  std::string root;
  if (p->letter) {
    const DriveMapping* d = Drive(p->letter);
    if (!d) return std::nullopt;
    root = d->hostRoot;
  } else {
    const ShareMapping* found = nullptr;
    for (const ShareMapping& s : shares_) {
      if (SameName(s.share, p->share)) {
        found = &s;
        break;
      }
    }
    if (!found) return std::nullopt;
    root = found->hostRoot;
  }
  std::string host = root == "/" ? std::string() : root;
  for (const std::string& part : p->parts) {
    if (!IsValidName(part)) return std::nullopt;
    std::string utf8 = Cp932ToUtf8(part);
    if (utf8.find("\xEF\xBF\xBD") != std::string::npos) return std::nullopt;  // no reading
    host += "/" + utf8;
  }
  if (host.empty()) return std::string("/");
  // "C:\file\" is not the file, as on the original platform.
  if (p->trailingSeparator) host += "/";
  return host;
}

std::optional<std::string> PathMapper::ToWindows(const std::string& hostPath) const {
  if (hostPath.empty()) return std::nullopt;
  std::vector<std::string> parts = HostComponents(hostPath);
  const DriveMapping* best = nullptr;
  std::size_t bestDepth = 0;
  for (const DriveMapping& d : drives_) {
    std::vector<std::string> root = HostComponents(d.hostRoot);
    if (root.size() > parts.size() || !std::equal(root.begin(), root.end(), parts.begin())) {
      continue;
    }
    if (!best || root.size() > bestDepth) {
      best = &d;
      bestDepth = root.size();
    }
  }
  if (!best) return std::nullopt;
  std::string windows = std::string(1, best->letter) + ":";
  if (bestDepth == parts.size()) return windows + "\\";
  for (std::size_t i = bestDepth; i < parts.size(); ++i) {
    std::optional<std::string> name = Utf8ToCp932(parts[i]);
    if (!name || !IsValidName(*name)) return std::nullopt;
    windows += "\\" + *name;
  }
  return windows;
}

// ---------------------------------------------------------------------------

namespace {

class HostFile : public File {
 public:
  explicit HostFile(int fd) : fd_(fd) {}
  ~HostFile() override { Close(); }
  HostFile(const HostFile&) = delete;
  HostFile& operator=(const HostFile&) = delete;

  bool Read(void* buffer, std::size_t size, std::size_t* got) override {
    std::size_t total = 0;
    char* out = static_cast<char*>(buffer);
    bool ok = fd_ >= 0;
    while (ok && total < size) {
      ssize_t n = ::read(fd_, out + total, size - total);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      total += static_cast<std::size_t>(n);
    }
    if (got) *got = total;
    return ok;
  }

  bool Write(const void* data, std::size_t size) override {
    if (fd_ < 0) return false;
    const char* in = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
      ssize_t n = ::write(fd_, in + done, size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Close() override {
    if (fd_ < 0) return true;
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace

HostEnv::HostEnv(PathMapper mapper, std::string programHostPath, std::string tmpHostDir)
    : mapper_(std::move(mapper)),
      programHostPath_(NormalizeHostPath(programHostPath)),
      tmpHostDir_(NormalizeHostPath(tmpHostDir.empty() ? "/tmp" : tmpHostDir)) {
  char buf[4096];
  std::optional<std::string> cwd;
  if (::getcwd(buf, sizeof buf) != nullptr) cwd = mapper_.ToWindows(buf);
  if (!cwd) {
    // A process started outside every mapped drive begins at the root of the
    // first drive.
    for (char letter = 'A'; letter <= 'Z' && !cwd; ++letter) {
      if (mapper_.Drive(letter)) cwd = std::string(1, letter) + ":\\";
    }
  }
  cwd_ = cwd.value_or(std::string());
}

std::optional<std::string> HostEnv::ToHost(const std::string& windowsPath) const {
  return mapper_.ToHost(windowsPath, cwd_);
}

bool HostEnv::Access(const std::string& path, int mode) {
  int how;
  switch (mode) {
    case 0:
      how = F_OK;
      break;
    case 2:
      how = W_OK;
      break;
    case 4:
      how = R_OK;
      break;
    case 6:
      how = R_OK | W_OK;
      break;
    default:
      return false;
  }
  std::optional<std::string> host = ToHost(path);
  return host && ::access(host->c_str(), how) == 0;
}

bool HostEnv::IsDirectory(const std::string& path) {
  std::optional<std::string> host = ToHost(path);
  return host && IsHostDirectory(*host);
}

DriveType HostEnv::GetDriveType(const std::string& root) {
  std::string r = root;
  if (r.empty()) {
    // No root: the root of the current directory.
    std::optional<WinPath> cwd = Resolve(cwd_, "");
    if (!cwd) return DriveType::NoRootDir;
    cwd->parts.clear();
    r = WindowsString(*cwd);
  }
  if (r.size() >= 2 && IsSep(r[0]) && IsSep(r[1])) {
    std::optional<WinPath> p = Resolve(r, "");
    if (!p || !p->parts.empty()) return DriveType::NoRootDir;
    std::optional<std::string> host = mapper_.ToHost(r, "");
    return host && IsHostDirectory(*host) ? DriveType::Remote : DriveType::NoRootDir;
  }
  if (r.size() < 2 || r.size() > 3 || !IsAsciiLetter(r[0]) || r[1] != ':' ||
      (r.size() == 3 && !IsSep(r[2]))) {
    return DriveType::NoRootDir;
  }
  const DriveMapping* d = mapper_.Drive(r[0]);
  if (!d || !IsHostDirectory(d->hostRoot)) return DriveType::NoRootDir;
  return d->type;
}

bool HostEnv::CreateDirectory(const std::string& path) {
  std::optional<std::string> host = ToHost(path);
  return host && ::mkdir(host->c_str(), 0777) == 0;
}

bool HostEnv::RemoveDirectory(const std::string& path) {
  std::optional<std::string> host = ToHost(path);
  return host && ::rmdir(host->c_str()) == 0;
}

std::optional<FileStatus> HostEnv::GetStatus(const std::string& path) {
  std::optional<std::string> host = ToHost(path);
  struct stat st;
  if (!host || ::stat(host->c_str(), &st) != 0) return std::nullopt;
  FileStatus status;
  status.isDirectory = S_ISDIR(st.st_mode);
  status.size = status.isDirectory ? 0 : static_cast<std::uint64_t>(st.st_size);
  return status;
}

std::unique_ptr<File> HostEnv::Open(const std::string& path, OpenMode mode) {
  std::optional<std::string> host = ToHost(path);
  if (!host) return nullptr;
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::Read:
      flags |= O_RDONLY;
      break;
    case OpenMode::Write:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
    case OpenMode::ReadWrite:
      flags |= O_RDWR;
      break;
  }
  int fd;
  do {
    fd = ::open(host->c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return nullptr;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {  // a folder is not a file
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<HostFile>(fd);
}

bool HostEnv::DeleteFile(const std::string& path) {
  std::optional<std::string> host = ToHost(path);
  return host && ::unlink(host->c_str()) == 0;
}

bool HostEnv::ReplaceFile(const std::string& from, const std::string& to) {
  std::optional<std::string> hostFrom = ToHost(from);
  std::optional<std::string> hostTo = ToHost(to);
  return hostFrom && hostTo && ::rename(hostFrom->c_str(), hostTo->c_str()) == 0;
}

std::string HostEnv::GetTempPath() {
  std::optional<std::string> windows = mapper_.ToWindows(tmpHostDir_);
  if (!windows) return std::string();
  if (!EndsInBackslash(*windows)) *windows += "\\";
  return *windows;
}

std::string HostEnv::GetCurrentDirectory() { return cwd_; }

bool HostEnv::SetCurrentDirectory(const std::string& path) {
  std::optional<WinPath> p = Resolve(path, cwd_);
  if (!p) return false;
  std::optional<std::string> host = ToHost(path);
  if (!host || !IsHostDirectory(*host)) return false;
  cwd_ = WindowsString(*p);
  return true;
}

std::string HostEnv::GetModuleFileName() {
  return mapper_.ToWindows(programHostPath_).value_or(std::string());
}

std::optional<std::string> HostEnv::WindowsFormOf(const std::string& hostPath) {
  return mapper_.ToWindows(hostPath);
}

}  // namespace platform
