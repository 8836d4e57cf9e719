// The report's line writer: every line is one declaration, start tag, end tag
// or leaf element, indented with tabs and ended with CR LF, and reaches the
// file in one write. It keeps no element stack; callers nest by indent.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/env.h"
#include "statements/xml_lines.h"

class ClXmlWriter : public ClXmlLines {
 public:
  ClXmlWriter();
  ~ClXmlWriter() override;
  ClXmlWriter(const ClXmlWriter&) = delete;
  ClXmlWriter& operator=(const ClXmlWriter&) = delete;

  // Opens `path` (Windows form) for writing through `env`: created or
  // truncated, not shared. 0 when open; -1 when env or path is null (nothing
  // is stored) or the file cannot be opened.
  std::int16_t Open(platform::Env* env, const char* path);
  // Writes the bytes of `text` without its zero. 1 when written; 0 when no
  // file is open or the write fails (the file is then closed for good).
  int WriteRaw(const char* text);
  int WriteStartTag(int indent, const char* name, const char* attr1 = nullptr,
                    const char* value1 = nullptr, const char* attr2 = nullptr,
                    const char* value2 = nullptr) override;
  int WriteEndTag(int indent, const char* name) override;
  int WriteElement(int indent, const char* name, const char* text, const char* attr1 = nullptr,
                   const char* value1 = nullptr, const char* attr2 = nullptr,
                   const char* value2 = nullptr) override;
  // The escaped form of `text` (& > < " ' as entity references), in a buffer
  // of the writer that the next call overwrites. Any length.
  const char* Escape(const char* text);
  // Closes and detaches the file. Always 0; harmless when repeated.
  std::int16_t Close();

  // The last line an element operation composed (also when its write failed).
  const std::string& LastLine() const { return line_; }
  const std::string& Path() const { return path_; }
  bool IsOpen() const { return state_ == State::Open; }
  bool HasFailed() const { return state_ == State::Failed; }
  // True when the last Close of an open file failed (its content may not
  // have reached the disk).
  bool CloseFailed() const { return closeFailed_; }

 private:
  enum class State { Detached, Open, Failed };
  void BeginLine(int indent);
  // Appends the written attribute pairs by the pair rules.
  void AppendAttributes(const char* attr1, const char* value1, const char* attr2,
                        const char* value2);
  void AppendEscaped(const char* text);
  int WriteBytes(const char* data, std::size_t size);

  std::unique_ptr<platform::File> file_;
  std::string path_;
  State state_ = State::Detached;
  bool closeFailed_ = false;
  // Reused for every line and value: they grow to the longest one seen and
  // keep their capacity, so steady-state writing allocates nothing.
  std::string line_;
  std::string escaped_;
  std::string work_;
};
