// Shows the slider control: the main window's volume slider and default sliders in
// both orientations, with a label that follows the volume.
//
//   slider-demo                      opens the window
//   slider-demo --screenshot x.png   saves the window's pixels to x.png and ends
//                                    (works headless: QT_QPA_PLATFORM=offscreen)

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "tools/slider-demo/volume_artwork.h"
#include "ui/slider/slider_form.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the window to <file> and quit."),
                                        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Slider"));
    window.setFixedSize(320, 480);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(28, 30, 36));
    palette.setColor(QPalette::WindowText, QColor(220, 224, 230));
    window.setPalette(palette);
    window.setAutoFillBackground(true);

    // The main window's slider, at its own place on a 320 × 480 face.
    TSlider* volume = velora::ui::createVolumeSlider(&window, velora::demo::volumeThumbArtwork(),
                                                     velora::demo::volumeTrackArtwork());
    auto* volumeText = new QLabel(QStringLiteral("70"), &window);
    volumeText->setGeometry(275, 365, 40, 20);
    volume->SetOnChange([volumeText](TSlider* sender) { volumeText->setNum(sender->Value()); });

    // Default sliders on a light panel, as the pictures were drawn for one.
    auto* panel = new QWidget(&window);
    panel->setGeometry(20, 40, 280, 280);
    panel->setAutoFillBackground(true);
    QPalette light = panel->palette();
    light.setColor(QPalette::Window, QColor(192, 192, 192));
    light.setColor(QPalette::WindowText, QColor(0, 0, 0));
    panel->setPalette(light);

    auto* horizontal = new TSlider(panel);
    horizontal->move(20, 20);
    horizontal->SetValue(40);

    auto* wide = new TSlider(panel);
    wide->setGeometry(20, 80, 240, 40);
    wide->SetOptions({TSliderOption::soShowPoints});
    wide->SetIncrement(5);
    wide->SetValue(65);

    auto* vertical = new TSlider(panel);
    vertical->SetOrientation(TSliderOrientation::soVertical);
    vertical->setGeometry(200, 140, 40, 120);
    vertical->SetValue(30);

    horizontal->setFocus();
    window.show();

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(0, &window, [&window, file] {
            if (!window.grab().save(file)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                QApplication::exit(1);
                return;
            }
            QApplication::quit();
        });
    }
    return app.exec();
}
