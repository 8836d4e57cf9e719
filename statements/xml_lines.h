// The line operations the statement sections write through. The report's
// XML line writer implements them.
#pragma once

class ClXmlLines {
 public:
  virtual ~ClXmlLines() = default;
  // Each returns 1 when the line was written, 0 on failure. Attribute pairs
  // are written only when name and value are both non-null; the second only
  // after the first.
  virtual int WriteStartTag(int indent, const char* name, const char* attr1 = nullptr,
                            const char* value1 = nullptr, const char* attr2 = nullptr,
                            const char* value2 = nullptr) = 0;
  virtual int WriteEndTag(int indent, const char* name) = 0;
  virtual int WriteElement(int indent, const char* name, const char* text,
                           const char* attr1 = nullptr, const char* value1 = nullptr,
                           const char* attr2 = nullptr, const char* value2 = nullptr) = 0;
};
