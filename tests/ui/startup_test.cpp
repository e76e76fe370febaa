#include <gtest/gtest.h>

#include "service/device_identity.h"
#include "support/recorders.h"
#include "ui/main_window.h"

namespace velora {
namespace {

using test::TestWorld;

std::vector<sim::StationEntry> stations(int n) {
    std::vector<sim::StationEntry> list;
    for (int i = 0; i < n; ++i) {
        const std::string s = std::to_string(i);
        list.push_back({s, "Station " + s, "http://stream/" + s, "http://advert/" + s,
                        "http://page/" + s, "http://a/" + s, "http://b/" + s, "g"});
    }
    return list;
}

TEST(StartUp, DirectoryRequestOnTheWireAndSelectorFilled) {
    TestWorld world;
    world.writeSettings("[ayar]\nayar1=2\n");
    world.service.setStations(stations(3));
    ui::TForm1 form(world.env);
    ASSERT_TRUE(form.FormCreate());

    const auto requests = world.server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].raw, "GET /xml.aspx?i=velora&mac=" + GetMacAddress().toStdString() +
                                   "&v=1003&rid=2 HTTP/1.1\r\n"
                                   "Content-Type: text/html\r\n"
                                   "Host: " +
                                   world.server.hostPort() +
                                   "\r\n"
                                   "Accept: text/html, */*\r\n"
                                   "Accept-Encoding: UTF-8, identity\r\n"
                                   "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n");
    EXPECT_EQ(form.StationCount, 3);
    ASSERT_EQ(form.cb_radyosec->count(), 3);
    EXPECT_EQ(form.cb_radyosec->itemText(2), "Station 2");
    EXPECT_EQ(form.cb_radyosec->currentIndex(), 0);
    EXPECT_FALSE(form.cb_radyosec->isHidden());
    EXPECT_EQ(form.lbl_kbit->text(), "");
    EXPECT_TRUE(world.dialogs.boxes.isEmpty());
    EXPECT_EQ(world.quitRequests, 0);
    EXPECT_EQ(form.width(), 320);
    EXPECT_EQ(form.height(), 480);
}

TEST(StartUp, SavedIndexPicksTheStartStation) {
    struct Case {
        const char* settings;
        int selected;
        QString streamUrl;
    };
    const Case cases[] = {
        {"[ayar]\nayar1=1\n", 1, "http://stream/1"},
        {"[ayar]\nayar1=3\n", 0, "http://stream/0"},  // at or above the count: the first
        {"[ayar]\nayar1=-1\n", -1, ""},               // negative: no station at all
        {"", 0, "http://stream/0"},                   // no settings: the first
    };
    for (const Case& c : cases) {
        TestWorld world;
        world.writeSettings(c.settings);
        world.service.setStations(stations(3));
        ui::TForm1 form(world.env);
        form.FormCreate();
        form.FormShow();
        EXPECT_EQ(form.cb_radyosec->currentIndex(), c.selected) << c.settings;
        EXPECT_EQ(form.StationStreamUrl, c.streamUrl) << c.settings;
        if (c.selected >= 0) {
            const QString n = QString::number(c.selected);
            EXPECT_EQ(form.AdvertUrl, "http://advert/" + n);
            EXPECT_EQ(form.StationPageUrl, "http://page/" + n);
            EXPECT_EQ(form.LinkA, "http://a/" + n);
            EXPECT_EQ(form.LinkB, "http://b/" + n);
            EXPECT_EQ(form.CoverArtMode, "g");
        }
    }
}

TEST(StartUp, ASingleStationHidesTheSelector) {
    TestWorld world;
    world.service.setStations(stations(1));
    ui::TForm1 form(world.env);
    form.FormCreate();
    EXPECT_TRUE(form.cb_radyosec->isHidden());
    EXPECT_TRUE(form.Label6->isHidden());
}

TEST(StartUp, UpdateOfferOpensTheDownloadAndRequestsAQuit) {
    TestWorld world;
    world.service.setVersion("1004");
    world.service.setDownloadUrl("http://get.example/velora-1004.exe");
    world.service.setStations(stations(2));
    ui::TForm1 form(world.env);
    // The shell opens only after the box was answered.
    world.dialogs.onBox = [&] { EXPECT_TRUE(world.shell.opened.isEmpty()); };
    form.FormCreate();
    ASSERT_EQ(world.dialogs.boxes.size(), 1);
    EXPECT_EQ(world.dialogs.boxes[0].kind, "information");
    EXPECT_EQ(world.dialogs.boxes[0].title, "diraz-velora");
    EXPECT_EQ(world.dialogs.boxes[0].text,
              "Programin Yeni Versiyonu Cikmistir.\r\nIndirip Kurunuz.");
    EXPECT_EQ(world.shell.opened, QStringList{"http://get.example/velora-1004.exe"});
    EXPECT_EQ(world.quitRequests, 1);
    // Start-up goes on: the stations are there and the start station is chosen.
    EXPECT_EQ(form.cb_radyosec->count(), 2);
    form.FormShow();
    EXPECT_EQ(form.StationStreamUrl, "http://stream/0");
}

TEST(StartUp, FailedRequestShowsItsMessageAndSkipsTheRest) {
    TestWorld world;
    world.server.overrideNext("/xml.aspx", sim::Response::error(500, "Internal Server Error"));
    ui::TForm1 form(world.env);
    form.FormCreate();
    ASSERT_EQ(world.dialogs.boxes.size(), 1);
    EXPECT_EQ(world.dialogs.boxes[0].text,
              "İnternet bağlantınızı kontrol edip programı tekrar çalıştırınız...");
    EXPECT_EQ(world.quitRequests, 1);
    EXPECT_EQ(form.StationCount, 0);
    EXPECT_EQ(form.cb_radyosec->count(), 0);
    EXPECT_EQ(form.lbl_kbit->text(), "32 Kbit / Saniye");  // step 10 never ran
    form.FormShow();  // the window is still shown once; no station is defined
    EXPECT_EQ(form.StationStreamUrl, "");
}

TEST(StartUp, NoSoundOutputEndsTheProgramWithTheEngineCode) {
    TestWorld world;
    world.env.openAudioOutput = [] { return 3; };
    ui::TForm1 form(world.env);
    EXPECT_FALSE(form.FormCreate());
    ASSERT_EQ(world.dialogs.boxes.size(), 1);
    EXPECT_EQ(world.dialogs.boxes[0].title, "");
    EXPECT_EQ(world.dialogs.boxes[0].text, "Ses Kartı Açılamadı\r\n(Hata Kodu: 3)");
}

TEST(StartUp, ApplicationTitleAndInstanceName) {
    struct Case {
        const char* file;
        const char* title;
        const char* instance;
    };
    const Case cases[] = {{"DIRAZ.VELORA.EXE", "Diraz", "DIRAZ.VELORA"},
                          {"player.exe", "player", "player"},
                          {"diraz-velora", "diraz-velora", "diraz-ve"},
                          {"abc", "abc", ""}};
    for (const Case& c : cases) {
        ui::Environment env;
        env.executablePath = QStringLiteral("/opt/x/") + c.file;
        EXPECT_EQ(env.applicationTitle(), c.title);
        EXPECT_EQ(env.instanceName(), c.instance);
    }
}

}  // namespace
}  // namespace velora
