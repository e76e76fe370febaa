#pragma once
// The record lists of the feed panels: one column of fixed-height rows painted from a
// FeedTable, the current row marked, a vertical scroll bar that is always shown.
//
// A press of the left button on a row makes that row current, then emits rowPressed()
// (on the press, not the release). The keyboard moves the current row without
// emitting it. The current row is always kept in view.
//
// Thread: main thread only.

#include <QImage>
#include <QWidget>

#include "guide/feed_table.h"

class QScrollBar;

namespace velora::ui {

class FeedListView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRowWidth = 304;
    static constexpr int kScrollBarWidth = 17;

    FeedListView(guide::FeedTable& table, int rowHeight, QWidget* parent);

    // The row background, drawn at (2, 0) of every row and cut to the row. A null image
    // draws nothing.
    void setRowPicture(const QImage& picture);

    int rowHeight() const { return m_rowHeight; }
    int visibleRows() const;
    int topRow() const { return m_top; }
    QScrollBar* scrollBar() const { return m_scrollBar; }
    // The row at a point of the list; -1 where there is none.
    int rowAt(QPoint point) const;

signals:
    void rowPressed();

protected:
    // Draws the texts of `row` into `rect` (the row's rectangle in list coordinates);
    // background and row picture are already there.
    virtual void paintRow(QPainter& painter, int row, const QRect& rect) = 0;
    const guide::FeedTable& table() const { return m_table; }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void syncScrollRange();
    void scrollTo(int top);
    void ensureCurrentVisible();

    guide::FeedTable& m_table;
    int m_rowHeight;
    int m_top = 0;
    QScrollBar* m_scrollBar;
    QImage m_picture;
};

// Draws `text` into `cell` (relative to `row`) transparently, cut at the cell's bounds.
void drawCellText(QPainter& painter, const QRect& row, const QRect& cell, const QString& text,
                  const QFont& font, const QColor& colour, bool wordWrap = false);

QFont cellFont(const QString& family, int pixels, bool bold, bool italic);

}  // namespace velora::ui
