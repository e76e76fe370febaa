#include "ui/slider/slider_form.h"

void TSlider::LoadStoredForm(const TSliderForm& form) {
    m_loading = true;
    for (int index = 0; index < kSliderImageCount; ++index) {
        if (const auto& image = form.Images[static_cast<std::size_t>(index)]) {
            SetImageAt(index, *image);
        }
    }
    if (form.EdgeSize) {
        SetEdgeSize(*form.EdgeSize);
    }
    if (form.NumThumbStates) {
        SetNumThumbStates(*form.NumThumbStates);
    }
    if (form.Orientation) {
        SetOrientation(*form.Orientation);
    }
    if (form.Options) {
        SetOptions(*form.Options);
    }
    if (form.Increment) {
        SetIncrement(*form.Increment);
    }
    if (form.MinValue) {
        SetMinValue(*form.MinValue);
    }
    if (form.MaxValue) {
        SetMaxValue(*form.MaxValue);
    }
    if (form.Value) {
        SetValue(*form.Value);
    }
    if (!form.Name.isEmpty()) {
        setObjectName(form.Name);
    }
    if (form.Bounds) {
        setGeometry(*form.Bounds);
    }
    if (form.Color) {
        SetColor(*form.Color);
    }
    if (form.Enabled) {
        setEnabled(*form.Enabled);
    }
    if (form.Visible) {
        setVisible(*form.Visible);
    }
    if (form.UserImages) {
        m_userImages = TUserImages::fromByte(*form.UserImages);
    }
    m_loading = false;
    Loaded();
}

void TSlider::Loaded() {
    bool laidOut = false;
    for (int index = 0; index < kSliderImageCount; ++index) {
        if (m_userImages.contains(index)) {
            const QImage image = m_images[static_cast<std::size_t>(index)];
            SetImageAt(index, image);  // lays out
            laidOut = true;
        }
    }
    if (!laidOut) {
        // The size read from the form has not been laid out yet.
        Relayout();
    }
}

namespace velora::ui {

TSliderForm volumeSliderForm(const QImage& thumb, const QImage& ruler) {
    TSliderForm form;
    form.Images[kImageHThumb] = thumb;
    form.Images[kImageHRuler] = ruler;
    form.NumThumbStates = 2;
    form.Options = TSliderOptions{};
    form.Increment = 1;
    form.MinValue = 0;
    form.MaxValue = 100;
    form.Value = 70;
    form.Name = QStringLiteral("Slider_volume");
    form.Bounds = QRect(51, 369, 218, 13);
    form.Color = QColor();
    form.UserImages = TUserImages::fromByte(0b0011).toByte();
    return form;
}

TSlider* createVolumeSlider(QWidget* parent, const QImage& thumb, const QImage& ruler) {
    auto* slider = new TSlider(parent);  // owned by `parent`
    slider->LoadStoredForm(volumeSliderForm(thumb, ruler));
    return slider;
}

}  // namespace velora::ui
