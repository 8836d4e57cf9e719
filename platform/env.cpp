#include "platform/env.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "platform/cp932.h"

namespace platform {

std::optional<std::string> ReadWholeFile(Env& env, const std::string& path) {
  std::unique_ptr<File> file = env.Open(path, OpenMode::Read);
  if (!file) return std::nullopt;
  std::string content;
  char buffer[8192];
  for (;;) {
    std::size_t got = 0;
    if (!file->Read(buffer, sizeof buffer, &got)) {
      file->Close();
      return std::nullopt;
    }
    if (got == 0) break;
    content.append(buffer, got);
  }
  if (!file->Close()) return std::nullopt;
  return content;
}

std::string TemporarySibling(Env& env, const std::string& target) {
  // The temporary file goes beside the target under a short name of its own,
  // so that a target whose name is already near the host's name limit can
  // still be written. The process id keeps two runs apart, the counter two
  // files of one run; a name that is taken anyway (a leftover of a crashed
  // run) is skipped.
  std::size_t folderEnd = 0;
  for (std::size_t i = 0; i < target.size(); i += CharLength(target, i)) {
    char c = target[i];
    if (c == '\\' || c == '/' || (c == ':' && i == 1)) folderEnd = i + 1;
  }
  const std::string folder = target.substr(0, folderEnd);
  static std::atomic<unsigned> counter{0};
  for (;;) {
    char name[48];
    std::snprintf(name, sizeof name, "~stmtlink-%ld-%u.tmp", static_cast<long>(getpid()),
                  counter.fetch_add(1));
    std::string candidate = folder + name;
    if (!env.Access(candidate, 0)) return candidate;
  }
}

bool WriteFileReplacing(Env& env, const std::string& target, std::string_view content) {
  const std::string temp = TemporarySibling(env, target);
  std::unique_ptr<File> file = env.Open(temp, OpenMode::Write);
  if (!file) {
    // A failed open may still have left an empty file behind.
    if (env.Access(temp, 0)) env.DeleteFile(temp);
    return false;
  }
  bool ok = file->Write(content.data(), content.size());
  ok = file->Close() && ok;
  file.reset();
  if (ok) ok = env.ReplaceFile(temp, target);
  if (!ok) env.DeleteFile(temp);
  return ok;
}

}  // namespace platform
