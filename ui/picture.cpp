#include "ui/picture.h"

#include <QMouseEvent>

namespace velora::ui {

void Picture::setImage(const QImage& image) {
    m_image = image;
    setPixmap(QPixmap::fromImage(image));
}

void Picture::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->position().toPoint());
    event->accept();
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    event->accept();
}

void Picture::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press like any other.
    mousePressEvent(event);
}

}  // namespace velora::ui
