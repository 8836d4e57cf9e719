#include "report/xml_writer.h"

#include "report_fixture.h"

namespace {

using reptest::HostFolderTest;

class XmlWriterTest : public HostFolderTest {
 protected:
  void OpenOut(platform::Env* env) { ASSERT_EQ(writer_.Open(env, "C:\\out.xml"), 0); }
  std::string Written() {
    writer_.Close();
    return FileBytes("out.xml");
  }
  ClXmlWriter writer_;
};

TEST_F(XmlWriterTest, LineLayouts) {
  OpenOut(env_.get());
  EXPECT_EQ(writer_.WriteElement(2, "VERSION", "1"), 1);
  EXPECT_EQ(writer_.LastLine(), "\t\t<VERSION>1</VERSION>\r\n");
  EXPECT_EQ(writer_.WriteStartTag(0, "REPORT"), 1);
  EXPECT_EQ(writer_.WriteEndTag(3, "BS"), 1);
  EXPECT_EQ(writer_.WriteElement(1, "Empty", ""), 1);
  EXPECT_EQ(writer_.WriteRaw("<?x?>\r\n"), 1);
  EXPECT_EQ(Written(),
            "\t\t<VERSION>1</VERSION>\r\n"
            "<REPORT>\r\n"
            "\t\t\t</BS>\r\n"
            "\t<Empty></Empty>\r\n"
            "<?x?>\r\n");
}

TEST_F(XmlWriterTest, AttributeRules) {
  OpenOut(env_.get());
  struct Case {
    const char *a1, *v1, *a2, *v2;
    const char* expected;
  } cases[] = {
      {"Label", "x", "Amount", "1", "<E Label=\"x\" Amount=\"1\">\r\n"},
      {"Label", "x", "Amount", nullptr, "<E Label=\"x\">\r\n"},
      {"Label", nullptr, "Amount", "1", "<E>\r\n"},
      {nullptr, "x", nullptr, nullptr, "<E>\r\n"},
      {"Label", "", nullptr, nullptr, "<E Label=\"\">\r\n"},
      {"Label", "a\"b'c", nullptr, nullptr, "<E Label=\"a&quot;b&apos;c\">\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(writer_.WriteStartTag(0, "E", c.a1, c.v1, c.a2, c.v2), 1);
    EXPECT_EQ(writer_.LastLine(), c.expected);
  }
  // Attributes are escaped; the text after them too, each from its own value.
  EXPECT_EQ(writer_.WriteElement(0, "Amt", "<1>", "Label", "A&B", "Kind", "'"), 1);
  EXPECT_EQ(writer_.LastLine(), "<Amt Label=\"A&amp;B\" Kind=\"&apos;\">&lt;1&gt;</Amt>\r\n");
}

TEST_F(XmlWriterTest, EscapeBytes) {
  EXPECT_STREQ(writer_.Escape("A&B<C>"), "A&amp;B&lt;C&gt;");
  EXPECT_STREQ(writer_.Escape("\"'"), "&quot;&apos;");
  // Trail byte 0x5C of ソ and 表 is part of the character.
  EXPECT_STREQ(writer_.Escape("ソ表"), "\x83\x5C\x95\x5C");
  EXPECT_STREQ(writer_.Escape(""), "");
  // Escaping an earlier result works on a copy of it.
  const char* once = writer_.Escape("&");
  EXPECT_STREQ(writer_.Escape(once), "&amp;amp;");
}

TEST_F(XmlWriterTest, LongValuesAreWrittenWhole) {
  OpenOut(env_.get());
  std::string text(300, 'a');
  text += "&";
  std::string attr(400, 'v');
  ASSERT_EQ(writer_.WriteElement(1, "Line", text.c_str(), "A", attr.c_str()), 1);
  EXPECT_EQ(Written(), "\t<Line A=\"" + attr + "\">" + std::string(300, 'a') + "&amp;</Line>\r\n");
}

TEST_F(XmlWriterTest, WriteErrorLeavesTheWriterFailed) {
  fault_->FailWritesAfterBytes(10);
  OpenOut(fault_.get());
  EXPECT_EQ(writer_.WriteRaw("12345"), 1);
  EXPECT_EQ(writer_.WriteElement(0, "VERSION", "1"), 0);  // would pass 10 bytes
  EXPECT_TRUE(writer_.HasFailed());
  EXPECT_EQ(writer_.WriteRaw("x"), 0);
  EXPECT_EQ(writer_.WriteStartTag(0, "A"), 0);
  EXPECT_EQ(writer_.WriteEndTag(0, "A"), 0);
  EXPECT_EQ(writer_.WriteElement(0, "A", ""), 0);
  EXPECT_EQ(writer_.Close(), 0);
  EXPECT_EQ(writer_.Close(), 0);
  EXPECT_EQ(FileBytes("out.xml"), "12345");
}

TEST_F(XmlWriterTest, OpenAndDetachedStates) {
  EXPECT_EQ(writer_.Open(env_.get(), nullptr), -1);
  EXPECT_EQ(writer_.Open(nullptr, "C:\\out.xml"), -1);
  EXPECT_FALSE(writer_.IsOpen());
  EXPECT_EQ(writer_.Path(), "");
  EXPECT_EQ(writer_.WriteRaw("x"), 0);
  // A folder that does not exist cannot hold the file.
  EXPECT_EQ(writer_.Open(env_.get(), "C:\\missing\\out.xml"), -1);
  EXPECT_EQ(writer_.WriteEndTag(0, "A"), 0);

  PutFile("out.xml", "old content that is longer");
  OpenOut(env_.get());
  EXPECT_EQ(writer_.WriteRaw("new"), 1);
  EXPECT_EQ(Written(), "new");          // truncated, not overwritten in place
  EXPECT_EQ(writer_.WriteRaw("x"), 0);  // detached after Close
}

}  // namespace
