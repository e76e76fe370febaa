#include "guide/feed_document.h"

#include <gtest/gtest.h>

namespace velora::guide {
namespace {

// ElementText on the first child of <r> of `xml`.
struct ElementCase {
    const char* xml;
    const char* name;
    const char* text;  // nullptr: an error
};

TEST(ElementText, ReadsSingleTextOrCdataAndRefusesEverythingElse) {
    const ElementCase cases[] = {
        {"<r><s><A>x</A></s></r>", "A", "x"},
        {"<r><s><A/></s></r>", "A", ""},
        {"<r><s><A> </A></s></r>", "A", ""},  // white space only is dropped
        {"<r><s><A><![CDATA[<b>x</b>]]></A></s></r>", "A", "<b>x</b>"},
        {"<r><s><A>&lt;b&gt;</A></s></r>", "A", "<b>"},
        {"<r><s><B>b</B><A>1</A><A>2</A></s></r>", "A", "1"},  // the first one
        {"<r><s><a>x</a></s></r>", "A", ""},                   // case-sensitive
        {"<r><s><p:A xmlns:p='u'>x</p:A></s></r>", "A", "x"},  // local name matches
        {"<r><s><p:A xmlns:p='u'>x</p:A></s></r>", "p:A", "x"},
        {"<r><s><A>x<b>y</b></A></s></r>", "A", nullptr},  // mixed content
        {"<r><s><A><b>y</b></A></s></r>", "A", nullptr},   // a single element
        {"<r><s><A><!--c--></A></s></r>", "A", nullptr},   // a single comment
        {"<r><s><A><?pi x?></A></s></r>", "A", nullptr},   // a processing instruction
        {"<r><s><A>x<![CDATA[y]]></A></s></r>", "A", nullptr},
    };
    for (const ElementCase& c : cases) {
        SCOPED_TRACE(c.xml);
        const QDomDocument doc = parseFeed(c.xml);
        const QDomNode slot = doc.documentElement().firstChild();
        if (c.text) {
            EXPECT_EQ(ElementText(slot, QString::fromUtf8(c.name)), QString::fromUtf8(c.text));
        } else {
            EXPECT_THROW(ElementText(slot, QString::fromUtf8(c.name)), FeedError);
        }
    }
}

TEST(ElementText, MissingElementIsAppendedEmptyToTheParsedCopy) {
    QDomDocument doc = parseFeed("<r><s><B>b</B></s></r>");
    const QDomElement slot = doc.documentElement().firstChildElement();
    EXPECT_EQ(ElementText(slot, "A"), "");
    EXPECT_EQ(slot.childNodes().size(), 2);
    EXPECT_EQ(slot.lastChild().nodeName(), "A");
    EXPECT_EQ(ElementText(slot, "A"), "");  // found now, not appended again
    EXPECT_EQ(slot.childNodes().size(), 2);
}

TEST(ElementText, ErrorNamesTheElement) {
    const QDomDocument doc = parseFeed("<r><s><Body>a<b>b</b></Body></s></r>");
    try {
        ElementText(doc.documentElement().firstChild(), "Body");
        FAIL();
    } catch (const FeedError& e) {
        EXPECT_TRUE(e.text().contains("\"Body\"")) << e.text().toStdString();
        EXPECT_EQ(QString::fromUtf8(e.what()), e.text());
    }
    // A comment among the slots cannot hold the element asked for.
    const QDomDocument comment = parseFeed("<r><!--c--></r>");
    EXPECT_THROW(ElementText(comment.documentElement().firstChild(), "Day"), FeedError);
}

TEST(ParseFeed, MalformedBodyGivesReasonAndLine) {
    const struct {
        QByteArray body;
        const char* text;
    } cases[] = {
        {"<r>\n<a>1</b>\n</r>", "Opening and ending tag mismatch.\r\nLine: 2"},
        {" ", "Premature end of document.\r\nLine: 1"},
        {"<?xml version='1.0' encoding='x-nonsense'?><r/>", nullptr},
    };
    for (const auto& c : cases) {
        try {
            parseFeed(c.body);
            ADD_FAILURE() << c.body.constData();
        } catch (const FeedError& e) {
            if (c.text) {
                EXPECT_EQ(e.text(), QString::fromUtf8(c.text));
            } else {
                EXPECT_TRUE(e.text().contains("\r\nLine: ")) << e.text().toStdString();
            }
        }
    }
    // Empty: no document element, no error.
    EXPECT_TRUE(parseFeed(QByteArray()).documentElement().isNull());
}

}  // namespace
}  // namespace velora::guide
