#include "report/support_inf.h"

#include <cstring>
#include <new>

#include "platform/cp932.h"
#include "platform/host.h"
#include "platform/types.h"

namespace {
constexpr char kProductNameKey[] = "[=製品名=]";
constexpr char kProductVersionKey[] = "[=製品ﾊﾞｰｼﾞｮﾝ=]";
constexpr unsigned char kCtrlZ = 0x1A;
}  // namespace

ClSupportInf::ClSupportInf(std::string appTitle) : appTitle_(std::move(appTitle)) {}

ClSupportInf::~ClSupportInf() = default;

std::string ClSupportInf::AppTitle() const {
  if (!appTitle_.empty()) return appTitle_;
  platform::Env* env = platform::host().env;
  std::string module = env != nullptr ? env->GetModuleFileName() : std::string();
  // The base name, without the extension (the framework's default title).
  std::size_t start = 0;
  for (std::size_t i = 0; i < module.size(); ++i) {
    if (platform::CharLength(module, i) == 2) {
      ++i;
      continue;
    }
    if (module[i] == '\\' || module[i] == '/' || module[i] == ':') start = i + 1;
  }
  std::string base = module.substr(start);
  std::size_t dot = base.rfind('.');
  if (dot != std::string::npos && dot > 0) base.resize(dot);
  return base;
}

int ClSupportInf::Load() {
  if (data_) return loaded_ ? 1 : 0;
  platform::Env* env = platform::host().env;
  if (env != nullptr && env->MayAllocate("SupportInf")) {
    data_.reset(new (std::nothrow) unsigned char[kBufferSize]);
  }
  if (!data_) {
    if (platform::host().ui != nullptr) {
      platform::host().ui->MessageBox(0, "ﾒﾓﾘが不足しています。", AppTitle(),
                                      platform::MB_OK | platform::MB_ICONEXCLAMATION);
    }
    return 0;
  }
  // 0xFF marks the space the file does not fill.
  std::memset(data_.get(), 0xFF, kBufferSize);

  std::string path = folder_ + "SUPPORT.INF";
  std::unique_ptr<platform::File> file = env->Open(path, platform::OpenMode::Read);
  if (!file) return 0;
  contentSize_ = 0;
  while (contentSize_ < kBufferSize) {
    std::size_t got = 0;
    if (!file->Read(data_.get() + contentSize_, kBufferSize - contentSize_, &got) || got == 0) {
      break;
    }
    contentSize_ += got;
  }
  file->Close();

  // Every value ends in a zero where its line ends; Ctrl-Z ends the file.
  for (std::size_t i = 0; i < kBufferSize; ++i) {
    if (data_[i] == '\r' && i + 1 < kBufferSize && data_[i + 1] == '\n') {
      data_[i] = 0;
      data_[i + 1] = 0;
      ++i;
    } else if (data_[i] == kCtrlZ) {
      data_[i] = 0;
    }
  }
  loaded_ = true;
  return 1;
}

const char* ClSupportInf::Lookup(const char* key, std::string& value) {
  value.clear();
  if (Load() != 1) return value.c_str();
  std::size_t keyLength = std::strlen(key);
  for (std::size_t pos = 0; pos + keyLength <= kBufferSize; ++pos) {
    if (std::memcmp(data_.get() + pos, key, keyLength) != 0) continue;
    // The value reaches to the next zero, or to the end of the file's
    // content on a last line without a line end.
    std::size_t end = pos + keyLength;
    while (end < contentSize_ && data_[end] != 0) ++end;
    if (end > pos + keyLength) {
      value.assign(reinterpret_cast<const char*>(data_.get() + pos + keyLength),
                   end - (pos + keyLength));
    }
    break;
  }
  return value.c_str();
}

const char* ClSupportInf::GetProductName() { return Lookup(kProductNameKey, name_); }

const char* ClSupportInf::GetProductVersion() { return Lookup(kProductVersionKey, version_); }
