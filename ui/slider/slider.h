#pragma once
// TSlider: a skinned slider. A ruler picture, stretched to the control's length by
// repeating its middle, along which a thumb picture is dragged, clicked or moved by
// keys to choose an integer Value between MinValue and MaxValue in steps of Increment.
//
// Everything it shows comes from four replaceable pictures (a thumb and a ruler for
// each orientation); olive pixels ($008080, RGB 128, 128, 0) are transparent. Optional
// extras are a focus rectangle and tick marks.
//
// Threading: a widget like any other, to be used on the GUI thread only. A worker that
// wants to change the value hands the write to the GUI thread (a queued call); OnChange
// then runs there.
//
// Property and operation names follow the control's own vocabulary (Value, MinValue,
// ComposeRuler, ...); a property X is read with X() and written with SetX().

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "ui/slider/slider_thumb.h"
#include "ui/slider/slider_types.h"

struct TSliderForm;

// Rectangle given by its edges; right and bottom lie just outside it.
struct TSliderRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const TSliderRect&, const TSliderRect&) = default;
};

class TSlider : public QWidget {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TSlider* sender)>;
    // Replaces the built-in tick marks; draws on the slider's canvas during a paint.
    using TDrawPointsEvent = std::function<void(TSlider* sender, QPainter& canvas)>;

    static constexpr int kRepeatIntervalMs = 400;
    static constexpr int kDefaultWidth = 140;
    static constexpr int kDefaultHeight = 40;

    // A 140 × 40 horizontal slider with the default pictures, all three options,
    // EdgeSize 2, range 0..100, Increment 10 and Value 0, reachable by Tab.
    explicit TSlider(QWidget* parent = nullptr);
    ~TSlider() override;

    // --- Pictures -----------------------------------------------------------------
    // Slot `index` (0..3, see TSliderImageIndex). Writing a null image puts the default
    // picture back and drops the index from UserImages; writing a picture stores a copy
    // and adds the index. The thumb follows when the slot is the thumb of the current
    // orientation. Every write lays the control out again. Indices outside 0..3 are
    // ignored (reading one gives a null image).
    const QImage& ImageAt(int index) const;
    void SetImageAt(int index, const QImage& image);
    // Whether slot `index` holds a picture the user supplied (and the stored form
    // keeps it).
    bool IsUserImage(int index) const { return m_userImages.contains(index); }
    TUserImages UserImages() const { return m_userImages; }

    const QImage& ImageHThumb() const { return ImageAt(kImageHThumb); }
    void SetImageHThumb(const QImage& image) { SetImageAt(kImageHThumb, image); }
    const QImage& ImageHRuler() const { return ImageAt(kImageHRuler); }
    void SetImageHRuler(const QImage& image) { SetImageAt(kImageHRuler, image); }
    const QImage& ImageVThumb() const { return ImageAt(kImageVThumb); }
    void SetImageVThumb(const QImage& image) { SetImageAt(kImageVThumb, image); }
    const QImage& ImageVRuler() const { return ImageAt(kImageVRuler); }
    void SetImageVRuler(const QImage& image) { SetImageAt(kImageVRuler, image); }

    // --- Properties ---------------------------------------------------------------
    // Length of each fixed end of the ruler picture. A write is taken only when it is
    // not negative, differs, and twice it is less than the current ruler picture's
    // length along the axis; the control is then laid out again.
    int EdgeSize() const { return m_edgeSize; }
    void SetEdgeSize(int edgeSize);

    // States cut from the thumb picture (kept by the thumb); 1 or 2, others ignored.
    TNumThumbStates NumThumbStates() const;
    void SetNumThumbStates(TNumThumbStates states);

    TSliderOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TSliderOrientation orientation);

    TSliderOptions Options() const { return m_options; }
    void SetOptions(TSliderOptions options);

    // Ignored unless positive and different; re-applies Value (snapping the thumb).
    int Increment() const { return m_increment; }
    void SetIncrement(int increment);

    // Ignored when equal or above MaxValue − Increment. Neither clamps Value nor moves
    // the thumb: that waits for the next Value write or layout.
    int MinValue() const { return m_minValue; }
    void SetMinValue(int minValue);

    // Ignored when equal or below MinValue + Increment. Same deferral as MinValue.
    int MaxValue() const { return m_maxValue; }
    void SetMaxValue(int maxValue);

    // Clamped to MaxValue, then to MinValue; moves the thumb and raises OnChange when
    // the stored value changed. Writing the current value raises nothing.
    int Value() const { return m_value; }
    void SetValue(int value);

    // Fills whatever the pictures leave uncovered. An invalid colour (the default) is
    // the "none" colour: nothing is filled and the parent shows through.
    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);

    // --- Events -------------------------------------------------------------------
    // A handler may process pending events and may replace itself; it must not delete
    // the slider.
    const TNotifyEvent& OnChange() const { return m_onChange; }
    void SetOnChange(TNotifyEvent handler) { m_onChange = std::move(handler); }
    const TDrawPointsEvent& OnDrawPoints() const { return m_onDrawPoints; }
    void SetOnDrawPoints(TDrawPointsEvent handler) { m_onDrawPoints = std::move(handler); }
    // Left button pressed on the thumb.
    const TNotifyEvent& OnStartTracking() const { return m_onStartTracking; }
    void SetOnStartTracking(TNotifyEvent handler) { m_onStartTracking = std::move(handler); }
    // Any button released on the thumb.
    const TNotifyEvent& OnStopTracking() const { return m_onStopTracking; }
    void SetOnStopTracking(TNotifyEvent handler) { m_onStopTracking = std::move(handler); }

    // --- Stored form ----------------------------------------------------------------
    // Sets the properties `form` holds in their declared order, as reading a stored
    // control does (size changes meanwhile do not lay out), then runs Loaded.
    // Defined in slider_form.cpp.
    void LoadStoredForm(const TSliderForm& form);
    // After loading: every picture in UserImages is applied once more, each laying the
    // control out; with no user picture the control is laid out once.
    virtual void Loaded();

    // --- Layout and arithmetic ------------------------------------------------------
    // Builds RulerBitmap: the ruler picture of the current orientation at the control's
    // length, its start edge, its middle repeated, its end edge. Pixels no segment
    // covers hold the key colour.
    void ComposeRuler();
    // Composes the ruler, places the thumb and the ruler across the axis, sets
    // PointsRect, then re-applies Value, which places the thumb along the axis.
    void LayoutParts();
    void Relayout();

    // Ruler length minus thumb length along the axis; 0 or less when the thumb does
    // not fit.
    int TravelLength() const;
    // Thumb position (left or top) for value `v`; vertical sliders put larger values
    // higher.
    int PositionOfValue(int v) const;
    // Value for thumb position `p`, snapped to MinValue plus whole increments unless
    // soSmooth is set. With no travel every position is MinValue.
    int ValueAtPosition(int p) const;
    // Puts the thumb at `p`, clamped to the travel (snapped unless soSmooth). During a
    // thumb drag Value follows the thumb and NotifyChange runs when it changed.
    void MoveThumbTo(int p);
    // Writes Value one step (multiples counted from 0), or to an end. None does nothing.
    void StepValue(StepKind kind);
    // Which way a press at (x, y) steps: Down before the thumb, Up after it (left and
    // right for horizontal, above and below for vertical), None on the thumb's column.
    StepKind ZoneAt(int x, int y) const;
    // One step of a ruler press: steps while the pointer is still on the side of the
    // thumb it was pressed on, and starts the 400 ms repeat. Runs on every repeat tick.
    void RepeatStep();
    // Ends a ruler press: stops the repeat.
    void EndRepeat();

    // Thumb mouse events, in thumb coordinates.
    virtual void ThumbPressed(QObject* sender, Qt::MouseButton button, TShiftState shift, int x,
                              int y);
    virtual void ThumbDragged(QObject* sender, TShiftState shift, int x, int y);
    virtual void ThumbReleased(QObject* sender, Qt::MouseButton button, TShiftState shift, int x,
                               int y);
    // Built-in tick marks every k·step values (k chosen so marks are at least 3 pixels
    // apart), `endTickLength` long at the ends of the range and `tickLength` long
    // elsewhere, in the pen colour of `canvas`.
    virtual void PaintPoints(QPainter& canvas, int step, int tickLength, int endTickLength);
    // A drag changed Value: raises OnChange.
    virtual void NotifyChange();

    // --- Internal state, read-only -----------------------------------------------------
    TSliderThumb* Thumb() const { return m_thumb; }
    const QImage& RulerBitmap() const { return m_rulerBitmap; }
    QPoint RulerOrigin() const { return m_rulerOrigin; }
    TSliderRect PointsRect() const { return m_pointsRect; }
    int HitOffset() const { return m_hitOffset; }
    bool Focused() const { return m_focused; }
    bool Sliding() const { return m_sliding; }
    bool RulerPressed() const { return m_rulerPressed; }
    bool RepeatActive() const { return m_repeatActive; }
    QPoint PressPoint() const { return m_pressPoint; }
    StepKind PressZone() const { return m_pressZone; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Double clicks are not taken: the second press is a plain press.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void CreateParts();
    void updateFocused();
    bool horizontal() const { return m_orientation == TSliderOrientation::soHorizontal; }
    int thumbSlot() const { return horizontal() ? kImageHThumb : kImageVThumb; }
    int rulerSlot() const { return horizontal() ? kImageHRuler : kImageVRuler; }
    void raise(const TNotifyEvent& event);

    TUserImages m_userImages;
    std::array<QImage, kSliderImageCount> m_images;
    int m_edgeSize = 2;
    QImage m_rulerBitmap;
    QPoint m_rulerOrigin;
    TSliderThumb* m_thumb = nullptr;  // child widget, owned through Qt parenthood
    TSliderRect m_pointsRect;
    TSliderOrientation m_orientation = TSliderOrientation::soHorizontal;
    TSliderOptions m_options = TSliderOptions::all();
    int m_minValue = 0;
    int m_maxValue = 100;
    int m_increment = 10;
    int m_value = 0;
    int m_hitOffset = 0;
    bool m_focused = false;
    bool m_sliding = false;
    bool m_rulerPressed = false;
    bool m_repeatActive = false;
    QPoint m_pressPoint;
    StepKind m_pressZone = StepKind::None;
    TNotifyEvent m_onChange;
    TDrawPointsEvent m_onDrawPoints;
    TNotifyEvent m_onStartTracking;
    TNotifyEvent m_onStopTracking;

    QColor m_color;
    QTimer m_repeatTimer;
    bool m_constructing = true;
    bool m_loading = false;
};
