#pragma once
// The thumb of TSlider: a child control that shows one state of its picture and hands
// its mouse events to the slider that owns it.

#include <QImage>
#include <QWidget>
#include <functional>

#include "ui/slider/slider_types.h"

class TSliderThumb : public QWidget {
    Q_OBJECT

public:
    // Mouse hooks, called with the thumb as sender and the pointer in thumb
    // coordinates. The slider routes them to its ThumbPressed, ThumbDragged and
    // ThumbReleased.
    using TMouseEvent = std::function<void(TSliderThumb* sender, Qt::MouseButton button,
                                           TShiftState shift, int x, int y)>;
    using TMouseMoveEvent =
        std::function<void(TSliderThumb* sender, TShiftState shift, int x, int y)>;

    explicit TSliderThumb(QWidget* parent = nullptr);

    const QImage& Image() const { return m_image; }
    // Takes a copy of `image` and refits the thumb to one state of it.
    void AssignImage(const QImage& image);

    QRgb KeyColour() const { return m_keyColour; }

    // Pressed look: the right half of a two-state picture.
    bool Down() const { return m_down; }
    void SetDown(bool down);

    TNumThumbStates NumThumbStates() const { return m_numThumbStates; }
    // Values outside 1..2 are ignored: they would cut no picture (or divide by zero).
    void SetNumThumbStates(TNumThumbStates states);

    void SetOnMouseDown(TMouseEvent handler) { m_onMouseDown = std::move(handler); }
    void SetOnMouseMove(TMouseMoveEvent handler) { m_onMouseMove = std::move(handler); }
    void SetOnMouseUp(TMouseEvent handler) { m_onMouseUp = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click is handed on as a plain press.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Width: the picture's width divided by the number of states; height: the
    // picture's height.
    void refit();

    QImage m_image;
    QRgb m_keyColour = velora::ui::kSliderKeyColour;
    bool m_down = false;
    TNumThumbStates m_numThumbStates = kMaxThumbStates;
    TMouseEvent m_onMouseDown;
    TMouseMoveEvent m_onMouseMove;
    TMouseEvent m_onMouseUp;
};
