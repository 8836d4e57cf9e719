#include "platform/env.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

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
  // The process id keeps two runs apart, the counter two files of one run;
  // a name that is taken anyway (a leftover of a crashed run) is skipped.
  static std::atomic<unsigned> counter{0};
  for (;;) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%ld-%u.tmp", static_cast<long>(getpid()),
                  counter.fetch_add(1));
    std::string candidate = target + suffix;
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
