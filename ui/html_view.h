#pragma once
// Our embedded HTML view: a QTextBrowser that shows a page given as text or fetched
// from an address, and fetches the pictures a page names over the network the way a
// browser does, without ever blocking the window.
//
// What it adds to Qt's rich text, because pages written for browsers rely on it:
// - an image's CSS size (style="width:280px;height:auto") is honoured: a CSS width or
//   height in pixels is put on the picture once it has arrived, a missing or "auto"
//   dimension follows the picture's proportions;
// - pictures with http(s) addresses load in the background, each bounded in size and
//   time, and appear when they arrive; a picture that cannot be fetched shows nothing;
// - the page's own body margin is the only margin (the document adds none).
// It runs no scripts and reads no local files on a page's behalf.
//
// Thread: main thread only.

#include <QHash>
#include <QImage>
#include <QList>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

class QNetworkReply;

namespace velora::ui {

// The CSS size an <img> tag asks for, in pixels; 0 where it asks for none or "auto".
struct CssImageSize {
    QString source;  // the tag's src, entities decoded
    double width = 0;
    double height = 0;
};

// The <img> tags of `html` in document order, skipping comments, scripts and style
// sheets, with the size their style attribute gives.
QList<CssImageSize> cssImageSizes(const QString& html);

class HtmlView : public QTextBrowser {
    Q_OBJECT
public:
    static constexpr qint64 kMaxPageBytes = 2 * 1024 * 1024;
    static constexpr qint64 kMaxPictureBytes = 4 * 1024 * 1024;
    static constexpr int kTransferTimeoutMs = 30000;
    static constexpr int kMaxPicturesPerPage = 32;

    explicit HtmlView(QWidget* parent = nullptr);

    // Replaces the page with `html` at once; its pictures follow as they arrive.
    // Relative addresses in it have no base and load nothing.
    void loadHtml(const QString& html);

    // Fetches the page at an http(s) address in the background and shows it when it has
    // arrived (documentComplete), or leaves the current page and reports
    // navigationFailed. "about:blank" shows an empty page at once. A later navigate()
    // or loadHtml() supersedes a fetch still running.
    void navigate(const QUrl& url);

    // The address of the page shown: the fetched address, or empty for loadHtml pages.
    QUrl url() const { return m_base; }

signals:
    void documentComplete(const QUrl& url);
    void navigationFailed(const QUrl& url, const QString& reason);
    // A picture of the current page arrived and is shown.
    void pictureLoaded(const QUrl& name);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    struct ImageSlot {
        int position;  // of the image character in the document
        CssImageSize size;
    };

    void showPage(const QString& html, const QUrl& base);
    void abortTransfers();
    QNetworkReply* startTransfer(const QUrl& address, qint64 maxBytes);
    void fetchPicture(const QUrl& name);
    void pictureFinished(QNetworkReply* reply, const QUrl& name, quint64 generation);
    void applyCssSizes(const QUrl& name);

    QNetworkAccessManager m_network;
    QUrl m_base;
    quint64 m_generation = 0;
    QHash<QUrl, QList<ImageSlot>> m_slots;  // image fragments of the page by name
    QHash<QUrl, bool> m_requested;          // pictures asked for on this page
    QList<QPointer<QNetworkReply>> m_transfers;
    QImage m_placeholder;  // stands in for a picture that is not there (yet)
};

}  // namespace velora::ui
