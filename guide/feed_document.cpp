#include "guide/feed_document.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcGuide, "velora.guide", QtWarningMsg)

namespace velora::guide {
namespace {

QString localPart(const QString& qualifiedName) {
    const qsizetype colon = qualifiedName.indexOf(QLatin1Char(':'));
    return colon < 0 ? qualifiedName : qualifiedName.mid(colon + 1);
}

QString describe(const QDomNode& node) {
    switch (node.nodeType()) {
        case QDomNode::TextNode:
            return QStringLiteral("a text node");
        case QDomNode::CDATASectionNode:
            return QStringLiteral("a CDATA section");
        case QDomNode::CommentNode:
            return QStringLiteral("a comment");
        case QDomNode::ProcessingInstructionNode:
            return QStringLiteral("a processing instruction");
        default:
            return QStringLiteral("node \"%1\"").arg(node.nodeName());
    }
}

}  // namespace

QDomDocument parseFeed(const QByteArray& body) {
    QDomDocument document;
    if (body.isEmpty()) {
        return document;
    }
    QString reason;
    int line = 0;
    int column = 0;
    // Parsing from the bytes (not from decoded text) lets the document declare its own
    // encoding; the default options drop white-space-only text nodes.
    if (!document.setContent(body, &reason, &line, &column)) {
        qCInfo(lcGuide) << "feed is not well-formed:" << reason << "line" << line << "column"
                        << column;
        throw FeedError(QStringLiteral("%1\r\nLine: %2").arg(reason).arg(line));
    }
    return document;
}

QDomElement childElement(QDomNode parent, const QString& name) {
    if (!parent.isElement()) {
        throw FeedError(
            QStringLiteral("Element \"%1\" cannot be read from %2").arg(name, describe(parent)));
    }
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == name || localPart(e.tagName()) == name) {
            return e;
        }
    }
    QDomElement added = parent.ownerDocument().createElement(name);
    parent.appendChild(added);
    return added;
}

QString ElementText(QDomNode parent, const QString& name) {
    const QDomElement element = childElement(parent, name);
    const QDomNodeList children = element.childNodes();
    if (children.isEmpty()) {
        return {};
    }
    const QDomNode only = children.at(0);
    // isText() is also true for CDATA sections.
    if (children.size() == 1 && only.isText()) {
        return only.nodeValue();
    }
    const QString what = children.size() == 1
                             ? describe(only)
                             : QStringLiteral("%1 child nodes").arg(children.size());
    throw FeedError(QStringLiteral("Element \"%1\" does not hold a single text node (it holds %2)")
                        .arg(name, what));
}

QDomNodeList feedItems(const QDomDocument& document, const QString& listName,
                       const std::function<void()>& beforeItems) {
    const QDomElement root = document.documentElement();
    if (root.isNull()) {
        return {};
    }
    const QDomElement list = childElement(root, listName);
    if (beforeItems) {
        beforeItems();
    }
    return list.childNodes();
}

}  // namespace velora::guide
