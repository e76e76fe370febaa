#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "service/device_identity.h"
#include "support/recorders.h"
#include "ui/main_window.h"

namespace velora {
namespace {

class MessageTest : public ::testing::Test {
protected:
    MessageTest() : form(world.env) { form.FormCreate(); }
    void fill(const QString& name, const QString& email, const QString& message) {
        form.Edit1->setText(name);
        form.Edit2->setText(email);
        form.Memo2->setPlainText(message);
    }
    std::vector<sim::HttpRequest> messageRequests() const {
        std::vector<sim::HttpRequest> out;
        for (const auto& r : world.server.requests()) {
            if (r.path == "/iphonebilgi.aspx") {
                out.push_back(r);
            }
        }
        return out;
    }
    test::TestWorld world;
    ui::TForm1 form;
};

TEST_F(MessageTest, AMissingFieldShowsOneBoxAndSendsNothing) {
    struct Case {
        const char* name;
        const char* email;
        const char* message;
    };
    const Case cases[] = {{"", "", ""}, {"", "a@b", "m"}, {"n", "", "m"}, {"n", "a@b", ""}};
    for (const Case& c : cases) {
        world.dialogs.boxes.clear();
        fill(c.name, c.email, c.message);
        form.Image17Click();
        ASSERT_EQ(world.dialogs.boxes.size(), 1);
        EXPECT_EQ(world.dialogs.boxes[0].text, "Eksik Bilgileri Doldurunuz.");
        EXPECT_EQ(form.Edit1->text(), c.name);  // nothing is cleared
    }
    EXPECT_TRUE(messageRequests().empty());
}

TEST_F(MessageTest, SendsTheQueryInOrderInTheTurkishCodePage) {
    fill(QStringLiteral("Güzel şarkı"), "ali+veli@example.com", "Merhaba\nSelam");
    form.Image17Click();
    const auto sent = messageRequests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].target,
              "/iphonebilgi.aspx?i=rovivadudad_uvudo_vadudi&x_adsoyad=G%FCzel+%FEark%FD"
              "&x_mail=ali%2Bveli@example.com&x_mesaj=Merhaba%0D%0ASelam"
              "&x_name=Zarudev+Oziver-Diraz+Velora&x_sysver=1003&x_uuid=" +
                  GetMacAddress().toStdString());
    // A single blank is a value, not a missing field.
    EXPECT_EQ(form.Edit1->text(), "");
    EXPECT_EQ(form.Edit2->text(), "");
    EXPECT_EQ(form.Memo2->toPlainText(), "");
    ASSERT_EQ(world.dialogs.boxes.size(), 1);
    EXPECT_EQ(world.dialogs.boxes[0].text, "Mesaj Gönderildi");
    EXPECT_EQ(world.service.messages().at(0).name, "Güzel şarkı");
}

TEST_F(MessageTest, AFailedSendKeepsTheFormAndCanBeRepeated) {
    world.server.overrideNext("/iphonebilgi.aspx",
                              sim::Response::error(500, "Internal Server Error"), 1);
    fill(" ", " ", " ");
    form.Image17Click();
    ASSERT_EQ(world.dialogs.boxes.size(), 1);
    EXPECT_EQ(world.dialogs.boxes[0].kind, "error");
    EXPECT_EQ(world.dialogs.boxes[0].title, "diraz-velora");
    EXPECT_EQ(world.dialogs.boxes[0].text, "HTTP/1.1 500 Internal Server Error.");
    EXPECT_EQ(form.Edit1->text(), " ");

    form.Image17Click();
    const auto sent = messageRequests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].target, sent[1].target);
    EXPECT_NE(sent[1].target.find("x_adsoyad=+&"), std::string::npos);
    EXPECT_EQ(world.dialogs.boxes.last().text, "Mesaj Gönderildi");
}

TEST_F(MessageTest, AClickWhileTheMessageIsOnItsWayIsIgnored) {
    sim::Response slow = sim::Response::text("OK");
    slow.delay = std::chrono::milliseconds(500);
    world.server.overrideNext("/iphonebilgi.aspx", slow, 1);
    fill("n", "e", "m");
    WaitPolicy wait;
    bool clicked = false;
    wait.pumpEvents = [&] {
        if (!clicked) {
            clicked = true;
            form.Image17Click();
        }
    };
    form.IdHTTP1.setWaitPolicy(wait);
    form.Image17Click();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(messageRequests().size(), 1u);
    ASSERT_EQ(world.dialogs.boxes.size(), 1);
    EXPECT_EQ(world.dialogs.boxes[0].text, "Mesaj Gönderildi");
}

TEST_F(MessageTest, TheMessageHoldsAtMost300CharactersALineBreakCountingTwo) {
    form.show();
    form.Memo2->setFocus();
    QTest::keyClicks(form.Memo2, QString(299, 'a'));
    QTest::keyClick(form.Memo2, Qt::Key_Return);  // would make 301
    QTest::keyClicks(form.Memo2, "bc");
    EXPECT_EQ(form.Memo2->toPlainText(), QString(299, 'a') + "b");

    form.Memo2->clear();
    QTest::keyClicks(form.Memo2, QString(290, 'x'));
    QGuiApplication::clipboard()->setText("12345\r\n6789");
    form.Memo2->paste();  // 5 + 2 + 3 of the remaining 10 fit
    EXPECT_EQ(form.Memo2->toPlainText(), QString(290, 'x') + "12345\n678");
    EXPECT_EQ(ui::LimitedTextEdit::countedLength(form.Memo2->toPlainText()), 300);
}

}  // namespace
}  // namespace velora
