// The cover behind the title mailbox: what a new title places in Image3, what leaves
// it alone, and lookups that overlap.
#include <gtest/gtest.h>

#include <QTimer>
#include <cstring>
#include <span>

#include "cover/jpeg_decoder.h"
#include "cover/resampler.h"
#include "playback/player_status.h"
#include "support/recorders.h"
#include "ui/main_window.h"

namespace velora {
namespace {

using playback::PlayerStatus;

// The picture a cover file should become: decoded, scaled with the lookup's filter.
QImage expectedCover(const std::string& name) {
    const std::string file = sim::CoverService::coverFor(name);
    auto decoded = cover::decodeJpeg(
        std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
    cover::Raster scaled(70, 70, cover::PixelFormat::Rgb24);
    cover::ResampleBitmap(*decoded, scaled, cover::MitchellFilter, 2.0f);
    QImage image(70, 70, QImage::Format_RGB888);
    for (int y = 0; y < 70; ++y) {
        std::memcpy(image.scanLine(y), scaled.row(y), scaled.stride());
    }
    return image;
}

class CoverTest : public ::testing::Test {
protected:
    CoverTest() : covers(world.server) {
        form = std::make_unique<ui::TForm1>(world.env);
        EXPECT_TRUE(form->FormCreate());
        form->CoverArtMode = QString::fromStdString(sim::CoverService::titleMode(world.server));
    }
    void title(const QByteArray& text) {
        form->playerStatus(PlayerStatus{playback::STATUS_TITLE, 0, text});
    }
    QImage shown() const {
        return form->Image3->pixmap().toImage().convertToFormat(QImage::Format_RGB888);
    }
    size_t coverRequests() const {
        size_t n = 0;
        for (const auto& r : world.server.requests()) {
            n += r.path.starts_with("/covers/") || r.path == "/images";
        }
        return n;
    }

    test::TestWorld world;
    sim::CoverService covers;
    std::unique_ptr<ui::TForm1> form;
};

TEST_F(CoverTest, ANewTitlePlacesItsCoverOffScreenAtTheSizeOfImage3) {
    title("  Ayla Deniz - Yaz Yagmuru ");
    EXPECT_EQ(form->LastTitle, "Ayla Deniz - Yaz Yagmuru");
    ASSERT_FALSE(form->Image3->pixmap().isNull());
    EXPECT_EQ(form->Image3->pixmap().size(), QSize(70, 70));
    EXPECT_EQ(shown(), expectedCover("Ayla Deniz - Yaz Yagmuru"));
    // Image3 lies outside the visible window: the listener never sees the cover.
    const QRect placed(form->Image3->mapTo(form.get(), QPoint()), form->Image3->size());
    EXPECT_FALSE(form->rect().intersects(placed));

    // A control resized before the lookup gets a picture of its new size.
    form->Image3->resize(50, 40);
    title("Kerem Tan - Sahil Yolu");
    EXPECT_EQ(form->Image3->pixmap().size(), QSize(50, 40));
}

TEST_F(CoverTest, SkippedAndFailedLookupsKeepTheCover) {
    title("Ayla Deniz - Yaz Yagmuru");
    const QImage before = shown();
    world.server.clearRequests();

    for (const char* advert : {"REKLAM ARASI", "Reklam", "reklamlar", ""}) {
        title(advert);
        EXPECT_EQ(form->LastTitle, QString::fromLatin1(advert));
    }
    EXPECT_EQ(coverRequests(), 0u);

    form->CoverArtMode = QString::fromStdString("w-" + world.server.url("/covers/fault/"));
    for (const char* fault : {"picture.png", "truncated.jpg", "missing.jpg"}) {
        title(fault);
    }
    EXPECT_EQ(coverRequests(), 3u);
    world.server.setRefusing(true);
    form->CoverArtMode = QStringLiteral("g");
    title("Nil Ozer - Gece Treni");
    EXPECT_EQ(shown(), before);

    // Another station keeps the cover too.
    world.server.setRefusing(false);
    form->cb_radyosec->setCurrentIndex(1);
    form->cb_radyosecCloseUp();
    EXPECT_EQ(shown(), before);
}

TEST_F(CoverTest, ATitleArrivingDuringALookupStartsANestedOneAndTheLastToEndWins) {
    const std::string firstPath = "/covers/title/Slow+-+First";
    sim::Response slow =
        sim::Response::text(sim::CoverService::coverFor("Slow - First"), "image/jpeg");
    slow.delay = std::chrono::milliseconds(1200);
    world.server.overrideNext(firstPath, slow, 1);
    QTimer::singleShot(300, [&] { title("Quick - Second"); });
    title("Slow - First");  // returns when both lookups have ended
    EXPECT_EQ(form->LastTitle, "Quick - Second");
    EXPECT_EQ(shown(), expectedCover("Slow - First"));
    const auto requests = world.server.requests();
    ASSERT_GE(requests.size(), 2u);
    const auto& a = requests[requests.size() - 2];
    const auto& b = requests[requests.size() - 1];
    EXPECT_EQ(a.path, firstPath);
    EXPECT_EQ(b.path, "/covers/title/Quick+-+Second");
    EXPECT_NE(a.connectionId, b.connectionId);
}

}  // namespace
}  // namespace velora
