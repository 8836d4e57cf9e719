#include "platform/path.h"

#include "platform/cp932.h"

namespace platform {

namespace {

// The index of the first backslash at or after `from` that is not the trail
// byte of a double-byte character, or npos.
std::size_t FindBackslash(std::string_view path, std::size_t from) {
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t n = CharLength(path, i);
    if (i >= from && n == 1 && path[i] == '\\') return i;
    i += n;
  }
  return std::string_view::npos;
}

bool HasDriveColon(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && !IsLeadByte(static_cast<unsigned char>(path[0]));
}

}  // namespace

std::size_t PathSkipRoot(std::string_view path) {
  if (path.empty()) return std::string_view::npos;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // "\\server\share\": both backslashes must be there.
    std::size_t serverEnd = FindBackslash(path, 2);
    if (serverEnd == std::string_view::npos) return std::string_view::npos;
    std::size_t shareEnd = FindBackslash(path, serverEnd + 1);
    if (shareEnd == std::string_view::npos) return std::string_view::npos;
    return shareEnd + 1;
  }
  if (HasDriveColon(path) && path.size() >= 3 && path[2] == '\\') return 3;
  if (path[0] == '\\') return 1;
  return std::string_view::npos;
}

bool PathStripToRoot(std::string& path) {
  if (path.empty()) return false;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // The root of a network path is "\\server\share", without the backslash
    // that ends the share name; a bare "\\server" is its own root.
    std::size_t serverEnd = FindBackslash(path, 2);
    if (serverEnd == std::string::npos) return true;
    std::size_t shareEnd = FindBackslash(path, serverEnd + 1);
    if (shareEnd != std::string::npos) path.resize(shareEnd);
    return true;
  }
  if (HasDriveColon(path) && path.size() >= 3 && path[2] == '\\') {
    path.resize(3);
    return true;
  }
  if (path[0] == '\\') {
    path.resize(1);
    return true;
  }
  return false;
}

SplitPathResult SplitPath(std::string_view path) {
  SplitPathResult r;
  if (HasDriveColon(path)) {
    r.drive = std::string(path.substr(0, 2));
    path.remove_prefix(2);
  }
  std::size_t lastSep = std::string_view::npos;
  std::size_t lastDot = std::string_view::npos;
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t n = CharLength(path, i);
    if (n == 1 && (path[i] == '\\' || path[i] == '/')) {
      lastSep = i;
      lastDot = std::string_view::npos;
    } else if (n == 1 && path[i] == '.') {
      lastDot = i;
    }
    i += n;
  }
  std::size_t nameStart = lastSep == std::string_view::npos ? 0 : lastSep + 1;
  r.dir = std::string(path.substr(0, nameStart));
  if (lastDot == std::string_view::npos) {
    r.fname = std::string(path.substr(nameStart));
  } else {
    r.fname = std::string(path.substr(nameStart, lastDot - nameStart));
    r.ext = std::string(path.substr(lastDot));
  }
  return r;
}

}  // namespace platform
