#pragma once
// A picture control: shows an image and reports presses and clicks the way the window's
// handlers expect (a press with its button and position; a click when the left button
// is released over the control). Without an image it is a transparent hotspot.

#include <QLabel>

namespace velora::ui {

class Picture final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }

signals:
    void mousePressed(Qt::MouseButton button, QPoint position);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};

}  // namespace velora::ui
