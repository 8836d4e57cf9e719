// A host folder for one test, removed with everything in it afterwards, and
// helpers to look at it from the host side.
#pragma once
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace platform_test {

// Host file names are UTF-8; narrow literals in these tests are CP932.
inline std::string U8(const char8_t* s) { return std::string(reinterpret_cast<const char*>(s)); }

// Characters without a CP932 form, as UTF-8 (a narrow literal could not hold
// them under the CP932 execution character set).
inline const std::string kEmoji = U8(u8"\U0001F600");
inline const std::string kHangul = U8(u8"\uD55C\uAD6D");

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pcore-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path_ = made ? made : "";
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& rel) const { return path_ + "/" + rel; }

 private:
  std::string path_;
};

inline void WriteHostFile(const std::string& hostPath, const std::string& content) {
  std::ofstream out(hostPath, std::ios::binary);
  out << content;
}

inline std::string ReadHostFile(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names in a host folder, sorted.
inline std::vector<std::string> HostNames(const std::string& hostDir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(hostDir)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace platform_test
