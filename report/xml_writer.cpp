#include "report/xml_writer.h"

#include <cstring>
#include <functional>

namespace {
constexpr std::size_t kLineReserve = 1024;
constexpr std::size_t kEscapeReserve = 512;
}  // namespace

ClXmlWriter::ClXmlWriter() {
  line_.reserve(kLineReserve);
  escaped_.reserve(kEscapeReserve);
}

ClXmlWriter::~ClXmlWriter() { Close(); }

std::int16_t ClXmlWriter::Open(platform::Env* env, const char* path) {
  if (env == nullptr || path == nullptr) return -1;
  Close();
  closeFailed_ = false;
  path_ = path;
  file_ = env->Open(path_, platform::OpenMode::Write);
  if (!file_) return -1;
  state_ = State::Open;
  return 0;
}

std::int16_t ClXmlWriter::Close() {
  if (file_) {
    if (state_ == State::Open) closeFailed_ = !file_->Close();
    file_.reset();
  }
  state_ = State::Detached;
  return 0;
}

int ClXmlWriter::WriteBytes(const char* data, std::size_t size) {
  if (state_ != State::Open) return 0;
  if (!file_->Write(data, size)) {
    // A failed or short write ends the document: the file is closed and
    // every later write fails the same way.
    file_->Close();
    state_ = State::Failed;
    return 0;
  }
  return 1;
}

int ClXmlWriter::WriteRaw(const char* text) {
  if (text == nullptr) return 0;
  return WriteBytes(text, std::strlen(text));
}

const char* ClXmlWriter::Escape(const char* text) {
  if (text == nullptr) {
    escaped_.clear();
    return escaped_.c_str();
  }
  // The input may be an earlier result: escape from a copy then.
  std::less_equal<const char*> le;
  if (le(escaped_.data(), text) && le(text, escaped_.data() + escaped_.size())) {
    work_.assign(text);
    text = work_.c_str();
  }
  escaped_.clear();
  for (const char* p = text; *p != '\0'; ++p) {
    // Byte by byte is safe on CP932: no trail byte is below 0x40.
    switch (*p) {
      case '&':
        escaped_ += "&amp;";
        break;
      case '>':
        escaped_ += "&gt;";
        break;
      case '<':
        escaped_ += "&lt;";
        break;
      case '"':
        escaped_ += "&quot;";
        break;
      case '\'':
        escaped_ += "&apos;";
        break;
      default:
        escaped_ += *p;
        break;
    }
  }
  return escaped_.c_str();
}

void ClXmlWriter::BeginLine(int indent) {
  line_.clear();
  if (indent > 0) line_.append(static_cast<std::size_t>(indent), '\t');
}

void ClXmlWriter::AppendEscaped(const char* text) { line_ += Escape(text); }

void ClXmlWriter::AppendAttributes(const char* attr1, const char* value1, const char* attr2,
                                   const char* value2) {
  if (attr1 == nullptr || value1 == nullptr) return;
  line_ += ' ';
  line_ += attr1;
  line_ += "=\"";
  AppendEscaped(value1);
  line_ += '"';
  if (attr2 == nullptr || value2 == nullptr) return;
  line_ += ' ';
  line_ += attr2;
  line_ += "=\"";
  AppendEscaped(value2);
  line_ += '"';
}

int ClXmlWriter::WriteStartTag(int indent, const char* name, const char* attr1, const char* value1,
                               const char* attr2, const char* value2) {
  BeginLine(indent);
  line_ += '<';
  if (name != nullptr) line_ += name;
  AppendAttributes(attr1, value1, attr2, value2);
  line_ += ">\r\n";
  return WriteBytes(line_.data(), line_.size());
}

int ClXmlWriter::WriteEndTag(int indent, const char* name) {
  BeginLine(indent);
  line_ += "</";
  if (name != nullptr) line_ += name;
  line_ += ">\r\n";
  return WriteBytes(line_.data(), line_.size());
}

int ClXmlWriter::WriteElement(int indent, const char* name, const char* text, const char* attr1,
                              const char* value1, const char* attr2, const char* value2) {
  BeginLine(indent);
  line_ += '<';
  if (name != nullptr) line_ += name;
  AppendAttributes(attr1, value1, attr2, value2);
  line_ += '>';
  AppendEscaped(text);
  line_ += "</";
  if (name != nullptr) line_ += name;
  line_ += ">\r\n";
  return WriteBytes(line_.data(), line_.size());
}
