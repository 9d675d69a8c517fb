#include "io/xml_scanner.h"

#include <gtest/gtest.h>

#include <string>

namespace kest {
namespace {

// The events of a text written out: "<a r=1>", "'text'", "</a>", then
// "done" or the error.
std::string events(std::string_view text) {
  XmlScanner x(text);
  std::string out;
  for (;;) {
    switch (x.next()) {
      case XmlScanner::Event::kStart:
        out += "<" + std::string(x.name());
        if (const auto r = x.attribute("r")) out += " r=" + *r;
        out += ">";
        break;
      case XmlScanner::Event::kText: out += "'" + x.text() + "'"; break;
      case XmlScanner::Event::kEnd: out += "</" + std::string(x.name()) + ">"; break;
      case XmlScanner::Event::kDone: return out + " done";
      case XmlScanner::Event::kError: return out + " " + x.error();
    }
  }
}

TEST(XmlScanner, EventsOfWellFormedText) {
  EXPECT_EQ(events("<?xml version=\"1.0\"?>\n<a><b r=\"[0]\">0,1</b><c/></a>\n"),
            "<a><b r=[0]>'0,1'</b><c></c></a> done");
  EXPECT_EQ(events("<a>x &lt; y &amp;&#65;&#x42;</a>"), "<a>'x < y &AB'</a> done");
  EXPECT_EQ(events("<!-- a comment <b> --><a><![CDATA[<not a tag>]]></a>"), "<a>'<not a tag>'</a> done");
  EXPECT_EQ(events("<!DOCTYPE a [<!ELEMENT a ANY>]><a r='x&quot;'/>"), "<a r=x\"></a> done");
  EXPECT_EQ(events("<a>&#10;</a>"), "<a>'\n'</a> done");
}

TEST(XmlScanner, MalformedTextIsRefusedWithWhereAndWhy) {
  EXPECT_EQ(events("<a><b></a>"), "<a><b> malformed XML at byte 6: </a> where <b> is open");
  EXPECT_EQ(events("<a>"), "<a> malformed XML at byte 3: the file ends inside <a>");
  EXPECT_EQ(events(""), " malformed XML at byte 0: no root element");
  EXPECT_EQ(events("<a/><b/>"), "<a></a> malformed XML at byte 4: a second root element <b>");
  EXPECT_EQ(events("<a>&nope;</a>"), "<a> malformed XML at byte 3: an unknown entity &nope;");
  EXPECT_EQ(events("x<a/>"), " malformed XML at byte 0: text outside the root element");
  EXPECT_EQ(events("<a b=1/>"), " malformed XML at byte 5: an attribute value without quotes");
  EXPECT_EQ(events("<a><!-- open"), "<a> malformed XML at byte 3: an unfinished comment or declaration");
  EXPECT_EQ(events("</a>"), " malformed XML at byte 0: </a> closes no element");
}

// A file of millions of empty elements costs no memory beyond itself: the
// scanner keeps only the open elements' names.
TEST(XmlScanner, DeepAndWideDocuments) {
  std::string wide = "<a>";
  for (int i = 0; i < 100000; ++i) wide += "<b/>";
  wide += "</a>";
  XmlScanner x(wide);
  int starts = 0;
  size_t deepest = 0;
  for (XmlScanner::Event e; (e = x.next()) != XmlScanner::Event::kDone;) {
    ASSERT_NE(e, XmlScanner::Event::kError) << x.error();
    starts += e == XmlScanner::Event::kStart;
    deepest = std::max(deepest, x.depth());
  }
  EXPECT_EQ(starts, 100001);
  EXPECT_EQ(deepest, 2u);
}

}  // namespace
}  // namespace kest
