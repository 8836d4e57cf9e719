#include "conditions/path_checks.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/cp932.h"
#include "platform/env.h"
#include "platform/host.h"
#include "platform/path.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

platform::Env& Env() { return *platform::host().env; }

// The first backslash (a real one, not a trail byte) at or after `from`.
std::size_t FindBackslash(std::string_view text, std::size_t from) {
  for (std::size_t i = 0; i < text.size(); i += platform::CharLength(text, i)) {
    if (i >= from && platform::CharLength(text, i) == 1 && text[i] == '\\') return i;
  }
  return npos;
}

std::size_t FindLastBackslash(std::string_view text) {
  std::size_t found = npos;
  for (std::size_t i = 0; i < text.size(); i += platform::CharLength(text, i)) {
    if (platform::CharLength(text, i) == 1 && text[i] == '\\') found = i;
  }
  return found;
}

std::size_t FindLastColon(std::string_view text) {
  std::size_t found = npos;
  for (std::size_t i = 0; i < text.size(); i += platform::CharLength(text, i)) {
    if (platform::CharLength(text, i) == 1 && text[i] == ':') found = i;
  }
  return found;
}

// Two backslashes in a row, the first at or after `from`.
bool HasDoubleBackslash(std::string_view text, std::size_t from) {
  for (std::size_t i = FindBackslash(text, from); i != npos; i = FindBackslash(text, i + 1)) {
    if (i + 1 < text.size() && text[i + 1] == '\\') return true;
  }
  return false;
}

bool IsNetworkPath(std::string_view path) {
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The first n bytes of a and b (fewer when a text is shorter) are equal,
// ignoring the case of single-byte letters; double-byte characters compare
// exactly.
bool EqualNoCaseN(std::string_view a, std::string_view b, std::size_t n) {
  a = a.substr(0, std::min(n, a.size()));
  b = b.substr(0, std::min(n, b.size()));
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    std::size_t len = platform::CharLength(a, i);
    if (len == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
    i += len;
  }
  return true;
}

// A folder reduced to its drive and folder part and ending in a backslash.
bool FolderWithBackslash(const std::string& path, std::string& out) {
  out = path;
  if (!ReduceToFolder(out) || out.empty()) return false;
  return AddTrailingBackslash(out, kPathCapacity);
}

// The root of a folder cut from it and ending in a backslash.
bool RootWithBackslash(const std::string& folder, std::string& root) {
  if (folder.empty() || folder.size() >= kPathCapacity) return false;
  root = folder;
  if (!platform::PathStripToRoot(root)) return false;
  return AddTrailingBackslash(root, kPathCapacity);
}

}  // namespace

bool AddTrailingBackslash(std::string& path, std::size_t capacity) {
  if (path.empty()) return false;
  if (platform::EndsInBackslash(path)) return true;
  if (capacity == 0 || path.size() >= capacity - 1) return false;
  path.push_back('\\');
  return true;
}

bool ReduceToFolder(std::string& path) {
  if (path.empty()) return false;
  platform::SplitPathResult parts = platform::SplitPath(path);
  std::string folder = parts.drive + parts.dir;
  if (folder.empty()) return false;
  if (!platform::EndsInBackslash(folder) && folder.size() < path.size()) folder.push_back('\\');
  path = folder;
  return true;
}

bool IsExistingFolder(const std::string& path) {
  std::string folder = path;
  if (!ReduceToFolder(folder)) folder = path;
  return Env().IsDirectory(folder);
}

std::string FolderPartOf(std::string_view path) {
  std::size_t i = FindLastBackslash(path);
  return i == npos ? std::string() : std::string(path.substr(0, i + 1));
}

std::string FileNamePartOf(std::string_view path) {
  std::size_t i = FindLastBackslash(path);
  return std::string(i == npos ? path : path.substr(i + 1));
}

std::string DrivePartOf(std::string_view path) {
  std::size_t i = FindLastColon(path);
  return i == npos ? std::string() : std::string(path.substr(0, i + 1));
}

std::string AfterDrivePartOf(std::string_view path) {
  std::size_t i = FindLastColon(path);
  return std::string(i == npos ? path : path.substr(i + 1));
}

bool CheckPathCharacters(std::string_view path) {
  std::string_view part;
  if (IsNetworkPath(path)) {
    if (HasDoubleBackslash(path, 3)) return false;
    part = path.substr(2);
  } else {
    if (HasDoubleBackslash(path, 0)) return false;
    std::size_t colon = path.find(':');  // 0x3A is never a trail byte
    part = colon == npos ? path : path.substr(colon + 1);
  }
  static constexpr std::string_view kForbidden = "/:,;*?\"><|";
  for (std::size_t i = 0; i < part.size(); i += platform::CharLength(part, i)) {
    if (platform::CharLength(part, i) == 1 && kForbidden.find(part[i]) != npos) return false;
  }
  return true;
}

bool CheckOutputDrive(std::string_view path) {
  if (IsNetworkPath(path)) {
    // \\server\share\...: the access test on \\server\share.
    std::size_t serverEnd = FindBackslash(path, 3);
    if (serverEnd == npos) return false;
    std::size_t shareEnd = FindBackslash(path, serverEnd + 1);
    if (shareEnd == npos) return false;
    return Env().Access(std::string(path.substr(0, shareEnd)), 6);
  }
  if (HasDoubleBackslash(path, 0)) return false;
  return IsUsableDrive(path.empty() ? '\0' : path[0], 6);
}

bool IsUsableDrive(char letter, int mode) {
  int number = (letter >= 'A' && letter <= 'Z') ? letter - 'A' : letter - 'a';
  if (number < 0 || number > 25) return false;
  char root[4];
  std::snprintf(root, sizeof root, "%c:\\", 'A' + number);
  switch (Env().GetDriveType(root)) {
    case platform::DriveType::Unknown:
    case platform::DriveType::CdRom:
    case platform::DriveType::RamDisk:
      return false;
    case platform::DriveType::Removable:
    case platform::DriveType::Fixed:
    case platform::DriveType::Remote:
      return Env().Access(root, mode);
    default:
      // No volume behind the letter: the folder question or the writing of
      // the file meets it later.
      return true;
  }
}

bool CreateFolderTree(const std::string& folder) {
  if (folder.empty()) return false;
  std::string work;
  if (!FolderWithBackslash(folder, work)) return false;
  std::size_t skip = platform::PathSkipRoot(work);
  if (skip == npos || work.size() >= kPathCapacity) return false;
  const std::string rest = work.substr(skip);
  std::string root;
  if (!RootWithBackslash(work, root)) return false;

  // Levels up to `deepest` were there before; everything below it that exists
  // after a failure was created here.
  std::string deepest = root;
  for (std::size_t i = 0; i < rest.size();) {
    if (platform::CharLength(rest, i) == 2) {
      i += 2;
      continue;
    }
    if (rest[i] == '\\') {
      std::string partial = root + rest.substr(0, i);
      if (!AddTrailingBackslash(partial, kPathCapacity)) {
        // Without its backslash the partial path reduces to the level
        // before it: remove what was created down to that.
        RemoveCreatedFolders(root + rest.substr(0, i), &deepest);
        return false;
      }
      if (IsExistingFolder(partial)) {
        deepest = partial;
      } else if (!Env().CreateDirectory(partial)) {
        RemoveCreatedFolders(partial, &deepest);
        return false;
      }
    }
    ++i;
  }
  return true;
}

bool RemoveCreatedFolders(const std::string& target, const std::string* stopAt) {
  if (target.empty()) return false;
  std::string folder, stopFolder;
  if (!FolderWithBackslash(target, folder)) return false;
  if (stopAt != nullptr && !FolderWithBackslash(*stopAt, stopFolder)) return false;

  std::size_t skip = platform::PathSkipRoot(folder);
  if (skip == npos) return false;
  const std::string rest = folder.substr(skip);
  std::string stopRest;
  if (stopAt != nullptr) {
    std::size_t stopSkip = platform::PathSkipRoot(stopFolder);
    if (stopSkip == npos) return false;
    stopRest = stopFolder.substr(stopSkip);
  }

  std::string root, stopRoot;
  if (!RootWithBackslash(folder, root)) return false;
  if (stopAt != nullptr) {
    if (!RootWithBackslash(stopFolder, stopRoot)) return false;
    if (!EqualNoCaseN(root, stopRoot, std::max(root.size(), stopRoot.size()))) return false;
    if (rest.size() < stopRest.size() || !EqualNoCaseN(rest, stopRest, stopRest.size())) {
      return false;
    }
  }

  // Start of the character each byte belongs to, to step back over whole
  // double-byte characters.
  std::vector<std::size_t> charStart(rest.size());
  for (std::size_t i = 0; i < rest.size();) {
    std::size_t len = platform::CharLength(rest, i);
    for (std::size_t k = 0; k < len; ++k) charStart[i + k] = i;
    i += len;
  }

  if (rest.empty()) return true;
  for (std::size_t i = rest.size() - 1; i >= 1;) {
    if (platform::CharLength(rest, charStart[i]) == 2) {
      if (charStart[i] == 0) break;
      i = charStart[i] - 1;
      continue;
    }
    if (rest[i] == '\\') {
      if (stopAt != nullptr && EqualNoCaseN(stopRest, rest, i)) return true;
      std::string partial = root + rest.substr(0, i);
      if (!AddTrailingBackslash(partial, kPathCapacity)) return false;
      if (IsExistingFolder(partial)) {
        if (!Env().RemoveDirectory(partial)) return false;
        if (stopAt == nullptr) return true;
      }
    }
    --i;
  }
  return true;
}
