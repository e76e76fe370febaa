#include "ui/guide/feed_list_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace velora::ui {
namespace {
const QColor kSilver(192, 192, 192);
}

QFont cellFont(const QString& family, int pixels, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void drawCellText(QPainter& painter, const QRect& row, const QRect& cell, const QString& text,
                  const QFont& font, const QColor& colour, bool wordWrap) {
    if (text.isEmpty()) {
        return;
    }
    painter.setFont(font);
    painter.setPen(colour);
    // Without Qt::TextDontClip the text is cut at the cell.
    const int flags =
        Qt::AlignLeft | Qt::AlignTop | (wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    painter.drawText(cell.translated(row.topLeft()), flags, text);
}

FeedListView::FeedListView(guide::FeedTable& table, int rowHeight, QWidget* parent)
    : QWidget(parent),
      m_table(table),
      m_rowHeight(rowHeight),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setSingleStep(1);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int top) {
        m_top = top;
        // Scrolling carries the current row along, so it never leaves the view.
        if (m_table.currentRow() >= 0) {
            m_table.setCurrentRow(
                std::clamp(m_table.currentRow(), m_top, m_top + visibleRows() - 1));
        }
        update();
    });
    connect(&m_table, &QAbstractItemModel::modelReset, this, [this] {
        m_top = 0;
        syncScrollRange();
        update();
    });
    connect(&m_table, &QAbstractItemModel::rowsInserted, this, [this] {
        syncScrollRange();
        update();
    });
    connect(&m_table, &guide::FeedTable::currentRowChanged, this, [this] {
        ensureCurrentVisible();
        update();
    });
}

void FeedListView::setRowPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

int FeedListView::visibleRows() const {
    return std::max(1, height() / m_rowHeight);
}

int FeedListView::rowAt(QPoint point) const {
    if (point.x() < 0 || point.x() >= kRowWidth || point.y() < 0) {
        return -1;
    }
    const int row = m_top + point.y() / m_rowHeight;
    return row < m_table.rowCount() ? row : -1;
}

void FeedListView::syncScrollRange() {
    const QSignalBlocker block(m_scrollBar);
    m_scrollBar->setRange(0, std::max(0, m_table.rowCount() - visibleRows()));
    m_scrollBar->setPageStep(visibleRows());
    m_top = std::clamp(m_top, 0, m_scrollBar->maximum());
    m_scrollBar->setValue(m_top);
}

void FeedListView::scrollTo(int top) {
    const QSignalBlocker block(m_scrollBar);
    m_top = std::clamp(top, 0, m_scrollBar->maximum());
    m_scrollBar->setValue(m_top);
}

void FeedListView::ensureCurrentVisible() {
    const int current = m_table.currentRow();
    if (current < 0) {
        return;
    }
    if (current < m_top) {
        scrollTo(current);
    } else if (current >= m_top + visibleRows()) {
        scrollTo(current - visibleRows() + 1);
    }
}

void FeedListView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kSilver);
    const int last = std::min(m_table.rowCount(), m_top + visibleRows() + 1);
    for (int row = m_top; row < last; ++row) {
        const QRect rowRect(0, (row - m_top) * m_rowHeight, kRowWidth, m_rowHeight);
        painter.save();
        painter.setClipRect(rowRect);
        // The picture leaves the two left pixel columns free: there the row's own
        // colour shows, black for the current row.
        painter.fillRect(rowRect, row == m_table.currentRow() ? QColor(Qt::black) : kSilver);
        if (!m_picture.isNull()) {
            painter.drawImage(rowRect.topLeft() + QPoint(2, 0), m_picture);
        }
        paintRow(painter, row, rowRect);
        painter.restore();
    }
}

void FeedListView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int row = rowAt(event->position().toPoint());
    if (row < 0) {
        return;
    }
    m_table.setCurrentRow(row);
    emit rowPressed();
}

void FeedListView::keyPressEvent(QKeyEvent* event) {
    const int current = m_table.currentRow();
    int target = current;
    switch (event->key()) {
        case Qt::Key_Up:
            target = current - 1;
            break;
        case Qt::Key_Down:
            target = current + 1;
            break;
        case Qt::Key_PageUp:
            target = current - visibleRows();
            break;
        case Qt::Key_PageDown:
            target = current + visibleRows();
            break;
        case Qt::Key_Home:
            target = 0;
            break;
        case Qt::Key_End:
            target = m_table.rowCount() - 1;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    m_table.setCurrentRow(target);
}

void FeedListView::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) {
        m_scrollBar->setValue(m_scrollBar->value() - notches);
    }
}

void FeedListView::resizeEvent(QResizeEvent*) {
    m_scrollBar->setGeometry(kRowWidth, 0, width() - kRowWidth, height());
    syncScrollRange();
}

}  // namespace velora::ui
