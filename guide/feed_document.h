#pragma once
// The feed documents of the schedule and announcement panels: parsing a fetched body
// into a DOM, and the one rule by which the loaders read a child element's text.
//
// Thread: any, one document per thread. Nothing here touches a widget.

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QLoggingCategory>
#include <QString>
#include <functional>
#include <stdexcept>

// velora.guide: feed fetches and loads; quiet unless switched on.
Q_DECLARE_LOGGING_CATEGORY(lcGuide)

namespace velora::guide {

// A failure that ends a feed load and is shown to the listener as it is: a body that is
// not well-formed XML, or an element the loader cannot read as text.
class FeedError : public std::runtime_error {
public:
    explicit FeedError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// Parses a fetched body. The document's own byte-order mark or encoding declaration
// picks the character encoding (UTF-8 when it has neither); text nodes holding only
// white space are dropped. An empty body gives a document without a document element
// (not an error: the loaders then end with an empty table). Throws FeedError with the
// parser's reason and the line of the error for anything else that is not well-formed.
QDomDocument parseFeed(const QByteArray& body);

// The first child element of `parent` whose qualified or local name is `name` (exact,
// case-sensitive). When there is none, an empty element of that name is appended to
// `parent` in the parsed copy and returned. Throws FeedError when `parent` is not an
// element (a comment or text among the children of a list, say), since nothing can be
// appended to it.
QDomElement childElement(QDomNode parent, const QString& name);

// The text of childElement(parent, name): empty when it has no child node, the value of
// its only child when that is a text or CDATA node. Throws FeedError for any other
// content: two or more child nodes (text mixed with markup), or a single child element,
// comment or processing instruction.
QString ElementText(QDomNode parent, const QString& name);

// The items of a feed: the children of the document element's `listName` element (found
// or created as childElement does), taken after `beforeItems` has run. None, and
// `beforeItems` not run, when the document has no element at all.
QDomNodeList feedItems(const QDomDocument& document, const QString& listName,
                       const std::function<void()>& beforeItems);

}  // namespace velora::guide
