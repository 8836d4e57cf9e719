// The shell's path functions and the C runtime's path splitting on CP932
// Windows-form paths, byte by byte and double-byte aware.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// PathSkipRootA: the index of the first byte after the root ("C:\", "\\server\share\",
// "\"), or npos when the path has no root.
std::size_t PathSkipRoot(std::string_view path);

// PathStripToRootA: the path cut to its root; false when it has none (the
// path is then unchanged).
bool PathStripToRoot(std::string& path);

// _splitpath: drive ("C:"), directory (up to and including the last \ or /),
// file name and extension (from the last dot of the last component).
struct SplitPathResult {
  std::string drive;
  std::string dir;
  std::string fname;
  std::string ext;
};
SplitPathResult SplitPath(std::string_view path);

}  // namespace platform
