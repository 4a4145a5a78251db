#include "platform/xml/XmlDom.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(XmlDom, LoadXmlIgnoresDeclaredEncodingAndDropsLayoutWhitespace) {
    pugi::xml_document doc;
    ASSERT_TRUE(tev::LoadXml(doc, "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n\r"
                                  "<flash>\n<UserDefined><Param name=\"a&amp;b\" value=\"\xC3\xA9\"/>"
                                  "</UserDefined>\n<Data/></flash>"));
    EXPECT_EQ(tev::XmlOf(doc.document_element().child("Data")), "<Data/>");
    EXPECT_EQ(tev::XmlOf(doc), "<flash><UserDefined><Param name=\"a&amp;b\" value=\"\xC3\xA9\"/>"
                               "</UserDefined><Data/></flash>");
    EXPECT_EQ(tev::AttributeText(doc.document_element().first_child().first_child(), "missing"), "");
}

TEST(XmlDom, RefusesTextWithoutADocumentElement) {
    pugi::xml_document doc;
    EXPECT_FALSE(tev::LoadXml(doc, ""));
    EXPECT_FALSE(tev::LoadXml(doc, "not xml"));
    EXPECT_FALSE(tev::LoadXml(doc, "<a><b></a>"));
}

TEST(XmlDom, LoadsUtf16FilesWithByteOrderMark) {
    tevtest::TempDir dir;
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("<flash><x/></flash>")) {
        bytes += c;
        bytes += '\0';
    }
    tevtest::WriteFileBytes(dir / "p.xml", bytes);
    pugi::xml_document doc;
    ASSERT_TRUE(tev::LoadXmlFile(doc, dir / "p.xml"));
    EXPECT_STREQ(doc.document_element().name(), "flash");
    EXPECT_FALSE(tev::LoadXmlFile(doc, dir / "missing.xml"));
}
