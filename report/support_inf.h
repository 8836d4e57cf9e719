// The product support-information file "SUPPORT.INF": product name and
// version for the report's SYSTEM section. Read once into a 30000-byte
// buffer; a missing file gives empty values.
#pragma once
#include <memory>
#include <string>

class ClSupportInf {
 public:
  static constexpr std::size_t kBufferSize = 30000;

  // `appTitle` captions the out-of-memory message; empty takes the program
  // file's name without its extension, as the framework's title.
  explicit ClSupportInf(std::string appTitle = std::string());
  virtual ~ClSupportInf();
  ClSupportInf(const ClSupportInf&) = delete;
  ClSupportInf& operator=(const ClSupportInf&) = delete;

  // The value after "[=製品名=]" / "[=製品ﾊﾞｰｼﾞｮﾝ=]" up to its line end, or ""
  // when the file or the key is missing. Valid while the object lives.
  const char* GetProductName();
  const char* GetProductVersion();
  // Reads the file on the first call after a successful allocation. 1 when
  // the buffer holds the file's content, else 0.
  int Load();

 private:
  const char* Lookup(const char* key, std::string& value);
  std::string AppTitle() const;

  std::string appTitle_;
  std::unique_ptr<unsigned char[]> data_;  // kBufferSize bytes once allocated
  std::size_t contentSize_ = 0;            // bytes the file filled
  bool loaded_ = false;
  std::string folder_;  // empty: the current directory
  std::string name_;
  std::string version_;
};
