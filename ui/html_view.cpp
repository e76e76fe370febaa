#include "ui/html_view.h"

#include <QBuffer>
#include <QImageReader>
#include <QLoggingCategory>
#include <QNetworkReply>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

Q_LOGGING_CATEGORY(lcHtmlView, "velora.htmlview", QtWarningMsg)

namespace velora::ui {
namespace {

bool isWebAddress(const QUrl& url) {
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

QString decodeEntities(const QString& text) {
    if (!text.contains(QLatin1Char('&'))) {
        return text;
    }
    static const QHash<QString, QChar> named = {
        {QStringLiteral("amp"), u'&'},   {QStringLiteral("lt"), u'<'},
        {QStringLiteral("gt"), u'>'},    {QStringLiteral("quot"), u'"'},
        {QStringLiteral("apos"), u'\''}, {QStringLiteral("nbsp"), QChar(0xA0)}};
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'), i);
        if (text.at(i) != QLatin1Char('&') || semicolon < 0 || semicolon - i > 10) {
            out += text.at(i++);
            continue;
        }
        const QString entity = text.mid(i + 1, semicolon - i - 1);
        bool ok = false;
        char32_t code = 0;
        if (entity.startsWith(QLatin1String("#x")) || entity.startsWith(QLatin1String("#X"))) {
            code = entity.mid(2).toUInt(&ok, 16);
        } else if (entity.startsWith(QLatin1Char('#'))) {
            code = entity.mid(1).toUInt(&ok, 10);
        }
        if (ok && code > 0 && code <= 0x10FFFF) {
            out += QString::fromUcs4(&code, 1);
        } else if (named.contains(entity)) {
            out += named.value(entity);
        } else {
            out += text.mid(i, semicolon - i + 1);
        }
        i = semicolon + 1;
    }
    return out;
}

// A CSS length in pixels; 0 for "auto", percentages and anything else.
double cssPixels(QString value) {
    value = value.trimmed().toLower();
    if (value.endsWith(QLatin1String("px"))) {
        value.chop(2);
    } else if (value != QLatin1String("0")) {
        return 0;
    }
    bool ok = false;
    const double px = value.trimmed().toDouble(&ok);
    return ok && px > 0 && px < 100000 ? px : 0;
}

}  // namespace

QList<CssImageSize> cssImageSizes(const QString& html) {
    QList<CssImageSize> images;
    const qsizetype n = html.size();
    qsizetype i = 0;
    while ((i = html.indexOf(QLatin1Char('<'), i)) >= 0) {
        if (QStringView(html).mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype end = html.indexOf(QLatin1String("-->"), i + 4);
            i = end < 0 ? n : end + 3;
            continue;
        }
        qsizetype p = i + 1;
        while (p < n && html.at(p).isLetterOrNumber()) {
            ++p;
        }
        const QString tag = html.mid(i + 1, p - i - 1).toLower();
        // Attributes up to the closing '>', quoted values may hold '>'.
        QHash<QString, QString> attributes;
        while (p < n && html.at(p) != QLatin1Char('>')) {
            if (html.at(p).isSpace() || html.at(p) == QLatin1Char('/')) {
                ++p;
                continue;
            }
            const qsizetype nameStart = p;
            while (p < n && !html.at(p).isSpace() && html.at(p) != QLatin1Char('=') &&
                   html.at(p) != QLatin1Char('>')) {
                ++p;
            }
            const QString name = html.mid(nameStart, p - nameStart).toLower();
            while (p < n && html.at(p).isSpace()) {
                ++p;
            }
            QString value;
            if (p < n && html.at(p) == QLatin1Char('=')) {
                ++p;
                while (p < n && html.at(p).isSpace()) {
                    ++p;
                }
                if (p < n && (html.at(p) == QLatin1Char('"') || html.at(p) == QLatin1Char('\''))) {
                    const QChar quote = html.at(p);
                    qsizetype end = html.indexOf(quote, p + 1);
                    end = end < 0 ? n : end;
                    value = html.mid(p + 1, end - p - 1);
                    p = end + 1;
                } else {
                    const qsizetype start = p;
                    while (p < n && !html.at(p).isSpace() && html.at(p) != QLatin1Char('>')) {
                        ++p;
                    }
                    value = html.mid(start, p - start);
                }
            }
            if (!name.isEmpty() && !attributes.contains(name)) {
                attributes.insert(name, decodeEntities(value));
            }
        }
        i = p;
        if (tag == QLatin1String("script") || tag == QLatin1String("style")) {
            const qsizetype end = html.indexOf(QLatin1String("</") + tag, i, Qt::CaseInsensitive);
            i = end < 0 ? n : end;
            continue;
        }
        if (tag != QLatin1String("img")) {
            continue;
        }
        CssImageSize image{attributes.value(QStringLiteral("src"))};
        const QStringList declarations =
            attributes.value(QStringLiteral("style")).split(QLatin1Char(';'));
        for (const QString& declaration : declarations) {
            const qsizetype colon = declaration.indexOf(QLatin1Char(':'));
            const QString property = declaration.left(colon).trimmed().toLower();
            const QString value = declaration.mid(colon + 1);
            if (colon < 0) {
                continue;
            }
            if (property == QLatin1String("width")) {
                image.width = cssPixels(value);
            } else if (property == QLatin1String("height")) {
                image.height = cssPixels(value);
            }
        }
        images.append(image);
    }
    return images;
}

HtmlView::HtmlView(QWidget* parent)
    : QTextBrowser(parent), m_placeholder(1, 1, QImage::Format_ARGB32) {
    m_placeholder.fill(Qt::transparent);
    document()->setUndoRedoEnabled(false);
    document()->setDocumentMargin(0);
    // Links are followed here, through navigate(), not through QTextBrowser's own
    // source loading (which would read local files).
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        if (link.hasFragment() && link.path().isEmpty() && link.host().isEmpty()) {
            scrollToAnchor(link.fragment());
            return;
        }
        const QUrl target = m_base.resolved(link);
        if (isWebAddress(target)) {
            navigate(target);
        }
    });
}

void HtmlView::loadHtml(const QString& html) {
    ++m_generation;
    abortTransfers();
    showPage(html, QUrl());
}

void HtmlView::navigate(const QUrl& url) {
    ++m_generation;
    abortTransfers();
    if (url == QUrl(QStringLiteral("about:blank"))) {
        showPage(QString(), QUrl());
        emit documentComplete(url);
        return;
    }
    if (!isWebAddress(url)) {
        emit navigationFailed(url, QStringLiteral("Unsupported address"));
        return;
    }
    const quint64 generation = m_generation;
    QNetworkReply* reply = startTransfer(url, kMaxPageBytes);
    connect(reply, &QNetworkReply::finished, this, [this, reply, url, generation] {
        reply->deleteLater();
        if (generation != m_generation) {
            return;
        }
        if (reply->error() != QNetworkReply::NoError) {
            qCInfo(lcHtmlView) << "page" << url << "failed:" << reply->errorString();
            emit navigationFailed(url, reply->errorString());
            return;
        }
        const QByteArray body = reply->readAll();
        // The charset of the response header first, then the page's own declaration.
        const QByteArray type = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        const qsizetype charset = type.toLower().indexOf("charset=");
        QStringDecoder decoder;
        if (charset >= 0) {
            decoder = QStringDecoder(type.mid(charset + 8).trimmed().replace('"', "").constData());
        }
        if (!decoder.isValid()) {
            decoder = QStringDecoder::decoderForHtml(body);
        }
        showPage(decoder.decode(body), reply->url());
        emit documentComplete(url);
    });
}

void HtmlView::showPage(const QString& html, const QUrl& base) {
    m_base = base;
    m_slots.clear();
    m_requested.clear();
    setHtml(html);
    // The page's body margin is the only margin.
    document()->setDocumentMargin(0);

    // Pair each picture of the document with the size its tag asked for: in document
    // order, by source, so tags the rich text drops (in a script, say) are skipped.
    const QList<CssImageSize> sizes = cssImageSizes(html);
    qsizetype next = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat()) {
                continue;
            }
            const QString name = fragment.charFormat().toImageFormat().name();
            for (int c = 0; c < fragment.length(); ++c) {
                CssImageSize size{name};
                for (qsizetype j = next; j < sizes.size(); ++j) {
                    if (sizes[j].source == name) {
                        size = sizes[j];
                        next = j + 1;
                        break;
                    }
                }
                m_slots[QUrl(name)].append({fragment.position() + c, size});
            }
        }
    }
    // Ask for every picture now, so a hidden view loads them too; those already at hand
    // get their size at once.
    for (auto it = m_slots.cbegin(); it != m_slots.cend(); ++it) {
        const QVariant picture = document()->resource(QTextDocument::ImageResource, it.key());
        const bool placeholder = picture.userType() == QMetaType::QImage &&
                                 picture.value<QImage>().cacheKey() == m_placeholder.cacheKey();
        if (picture.isValid() && !placeholder) {
            applyCssSizes(it.key());
        }
    }
}

QVariant HtmlView::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::ImageResource) {
        // Style sheets and the like: a page gets nothing beyond its own text.
        return QByteArray();
    }
    if (!m_requested.contains(name) && m_requested.size() < kMaxPicturesPerPage) {
        m_requested.insert(name, true);
        fetchPicture(name);
    }
    // Returned until the picture arrives; it also keeps the document from looking for a
    // local file of that name.
    return m_placeholder;
}

void HtmlView::fetchPicture(const QUrl& name) {
    const QUrl address = m_base.resolved(name);
    if (!isWebAddress(address)) {
        qCInfo(lcHtmlView) << "picture" << name << "has no web address; not shown";
        return;
    }
    const quint64 generation = m_generation;
    QNetworkReply* reply = startTransfer(address, kMaxPictureBytes);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, name, generation] { pictureFinished(reply, name, generation); });
}

void HtmlView::pictureFinished(QNetworkReply* reply, const QUrl& name, quint64 generation) {
    reply->deleteLater();
    if (generation != m_generation) {
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        qCInfo(lcHtmlView) << "picture" << name << "failed:" << reply->errorString();
        return;
    }
    QByteArray bytes = reply->readAll();
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(16);  // megabytes of decoded pixels
    const QImage picture = reader.read();
    if (picture.isNull()) {
        qCInfo(lcHtmlView) << "picture" << name << "not decodable:" << reader.errorString();
        return;
    }
    document()->addResource(QTextDocument::ImageResource, name, picture);
    applyCssSizes(name);
    document()->markContentsDirty(0, document()->characterCount());
    viewport()->update();
    emit pictureLoaded(name);
}

void HtmlView::applyCssSizes(const QUrl& name) {
    for (const ImageSlot& slot : m_slots.value(name)) {
        if (slot.size.width <= 0 && slot.size.height <= 0) {
            continue;
        }
        QTextCursor cursor(document());
        cursor.setPosition(slot.position);
        cursor.setPosition(slot.position + 1, QTextCursor::KeepAnchor);
        const QTextCharFormat format = cursor.charFormat();
        if (!format.isImageFormat() || format.toImageFormat().name() != slot.size.source) {
            continue;
        }
        QTextImageFormat image = format.toImageFormat();
        if (slot.size.width > 0) {
            image.setWidth(slot.size.width);
        }
        if (slot.size.height > 0) {
            image.setHeight(slot.size.height);
        }
        cursor.setCharFormat(image);
    }
}

QNetworkReply* HtmlView::startTransfer(const QUrl& address, qint64 maxBytes) {
    QNetworkRequest request(address);
    request.setTransferTimeout(kTransferTimeoutMs);
    QNetworkReply* reply = m_network.get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, maxBytes](qint64 received, qint64 total) {
                if (received > maxBytes || total > maxBytes) {
                    qCInfo(lcHtmlView) << reply->url() << "is larger than" << maxBytes << "bytes";
                    reply->abort();
                }
            });
    m_transfers.removeAll(nullptr);
    m_transfers.append(reply);
    return reply;
}

void HtmlView::abortTransfers() {
    const auto transfers = std::exchange(m_transfers, {});
    for (const QPointer<QNetworkReply>& reply : transfers) {
        if (reply && reply->isRunning()) {
            reply->abort();
        }
    }
}

}  // namespace velora::ui
