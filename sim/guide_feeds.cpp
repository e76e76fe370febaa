#include "sim/guide_feeds.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace velora::sim {
namespace {

struct Programme {
    const char* day;
    const char* hour;
    const char* name;
    const char* program;  // the title when name is empty
    const char* description;
};

// A week of programmes (texts already escaped for the feed); some without a name (their title is in
// Program), some without a description, one with an hour longer than the list shows.
const Programme kWeek[] = {
    {"Pazartesi", "07:00", "Güne Başlarken", "", "Sabahın ilk şarkıları ve hava durumu."},
    {"Pazartesi", "10:00", "", "Yol Arkadaşım", ""},
    {"Pazartesi", "13:00", "Öğle Arası", "", "Dinleyici istekleri; telefon ve mesajla."},
    {"Pazartesi", "18:00", "Akşamüstü", "", ""},
    {"Pazartesi", "22:00 - 02:00 (gece yayını)", "Gece Kuşu", "", "Gece boyunca kesintisiz müzik."},
    {"Salı", "07:00", "Güne Başlarken", "", "Sabahın ilk şarkıları ve hava durumu."},
    {"Salı", "11:00", "", "Türkü Saati", "Yurdun dört bir yanından türküler."},
    {"Salı", "15:00", "İkindi Çayı", "", ""},
    {"Salı", "20:00", "Caz Gecesi", "", "Standartlar &amp; yeni kayıtlar."},
    {"Çarşamba", "07:00", "Güne Başlarken", "", "Sabahın ilk şarkıları ve hava durumu."},
    {"Çarşamba", "12:00", "", "Haber Bülteni", ""},
    {"Çarşamba", "16:00", "Şarkılar Bizi Söyler", "", "Eski plaklardan seçmeler."},
    {"Perşembe", "07:00", "Güne Başlarken", "", "Sabahın ilk şarkıları ve hava durumu."},
    {"Perşembe", "14:00", "Spor Saati", "", "Haftanın maçları ve yorumlar."},
    {"Perşembe", "21:00", "", "Gece Mavisi", ""},
    {"Cuma", "08:00", "Cuma Keyfi", "", "Haftanın en çok istenenleri."},
    {"Cuma", "17:00", "Hafta Sonuna Doğru", "", ""},
    {"Cuma", "23:00", "Dans Listesi", "", "Sabaha kadar dans."},
    {"Cumartesi", "10:00", "Kahvaltı Sofrası", "", "Hafta sonu sabahları için."},
    {"Cumartesi", "14:00", "", "Çocuk Saati", "Masallar ve şarkılar."},
    {"Cumartesi", "20:00", "Konser Kaydı", "", ""},
    {"Pazar", "09:00", "Pazar Sabahı", "", "Ağır ve keyifli bir başlangıç."},
    {"Pazar", "13:00", "Haftanın Özeti", "", ""},
    {"Pazar", "19:00", "", "Klasikler", "Büyük bestecilerden seçmeler."},
};

struct Announcement {
    const char* title;
    const char* shortContent;
    const char* body;  // already escaped for the feed, or a CDATA section
    bool picture;
};

const Announcement kAnnouncements[GuideFeeds::kAnnouncementCount] = {
    {"Yeni frekansımız", "Artık şehrin her yerinden daha net duyulacağız.",
     "Yayınımız yeni vericimizle &lt;b&gt;güçlendi&lt;/b&gt;.&lt;br&gt;Frekans listesi "
     "sitemizde.",
     true},
    {"Konser bileti kazanın", "Haftanın sorusunu bilen üç dinleyicimize bilet.",
     "<![CDATA[Cevaplarınızı <i>mesaj</i> bölümünden gönderin.<br>Çekiliş Cuma günü.]]>", true},
    {"Yaz yayın akışı", "Haziran'dan itibaren yayın saatleri değişiyor.",
     "Yeni akış için &lt;u&gt;Yayın Akışı&lt;/u&gt; sekmesine bakın.", true},
    {"Stüdyo ziyareti", "Okul gruplarını stüdyomuzda ağırlıyoruz.", "Randevu için bize yazın.",
     false},
    {"Dinleyici anketi", "Görüşleriniz bizim için önemli.",
     "Anketimiz &lt;b&gt;beş dakika&lt;/b&gt; sürüyor.", true},
    {"Gece yayını uzuyor", "Gece Kuşu artık sabah 2'ye kadar.",
     "Geceleri de &lt;i&gt;kesintisiz&lt;/i&gt; müzik.", true},
    {"Bayram programı", "Bayram boyunca özel yayınlar sizlerle.",
     "&lt;b&gt;İyi bayramlar!&lt;/b&gt;&lt;br&gt;Özel konuklar ve istek saatleri.", true},
};

uint32_t crc32(const std::string& data, size_t from = 0) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = from; i < data.size(); ++i) {
        c = table[(c ^ static_cast<uint8_t>(data[i])) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

void putBig32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
    }
}

void putChunk(std::string& out, const char* type, const std::string& data) {
    putBig32(out, static_cast<uint32_t>(data.size()));
    std::string chunk = type + data;
    out += chunk;
    putBig32(out, crc32(chunk));
}

unsigned bandedPixel(int, int y, int n) {
    const unsigned colour = GuideFeeds::pictureColour(n);
    const bool band = y >= GuideFeeds::kPictureHeight / 3 && y < 2 * GuideFeeds::kPictureHeight / 3;
    return band ? 0xF0E6C8u : colour;
}

}  // namespace

std::string encodePng(int width, int height, unsigned (*pixel)(int x, int y, int n), int n) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) {
            const unsigned p = pixel(x, y, n);
            raw.push_back(static_cast<char>((p >> 16) & 0xFF));
            raw.push_back(static_cast<char>((p >> 8) & 0xFF));
            raw.push_back(static_cast<char>(p & 0xFF));
        }
    }
    std::string zlib = {'\x78', '\x01'};
    for (size_t at = 0; at == 0 || at < raw.size(); at += 65535) {
        const size_t len = std::min<size_t>(65535, raw.size() - at);
        zlib.push_back(at + len >= raw.size() ? 1 : 0);
        zlib.push_back(static_cast<char>(len & 0xFF));
        zlib.push_back(static_cast<char>(len >> 8));
        zlib.push_back(static_cast<char>(~len & 0xFF));
        zlib.push_back(static_cast<char>((~len >> 8) & 0xFF));
        zlib.append(raw, at, len);
    }
    uint32_t a = 1;
    uint32_t b = 0;
    for (char c : raw) {
        a = (a + static_cast<uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(zlib, (b << 16) | a);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    putBig32(header, static_cast<uint32_t>(width));
    putBig32(header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlib);
    putChunk(png, "IEND", {});
    return png;
}

unsigned GuideFeeds::pictureColour(int n) {
    static const unsigned colours[] = {0x005AA0, 0xB4281E, 0x1E7832, 0x6E3C96, 0xC87814};
    return colours[static_cast<unsigned>(n) % 5];
}

GuideFeeds::GuideFeeds(Server& server) : m_server(server) {
    server.route("/Stream.aspx", [this](const HttpRequest&, Connection& c) {
        const FeedFault fault = m_scheduleFault;
        if (fault == FeedFault::ErrorStatus) {
            c.respond(Response::error(500, "Internal Server Error"));
            return;
        }
        c.respond(Response::text(body(fault, true), "text/xml; charset=utf-8"));
    });
    server.route("/Announcement.aspx", [this](const HttpRequest&, Connection& c) {
        const FeedFault fault = m_announcementFault;
        if (fault == FeedFault::ErrorStatus) {
            c.respond(Response::error(500, "Internal Server Error"));
            return;
        }
        c.respond(Response::text(body(fault, false), "text/xml; charset=utf-8"));
    });
    for (int n = 1; n <= kAnnouncementCount; ++n) {
        const std::string png = encodePng(kPictureWidth, kPictureHeight, bandedPixel, n);
        server.route("/guide/duyuru-" + std::to_string(n) + ".png",
                     [png](const HttpRequest&, Connection& c) {
                         c.respond(Response::text(png, "image/png"));
                     });
    }
}

std::string GuideFeeds::scheduleBody() const {
    return body(FeedFault::None, true);
}

std::string GuideFeeds::announcementBody() const {
    return body(FeedFault::None, false);
}

std::string GuideFeeds::body(FeedFault fault, bool schedule) const {
    if (fault == FeedFault::EmptyBody) {
        return {};
    }
    if (fault == FeedFault::Malformed) {
        return schedule ? "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<radyo>\n<streaming>\n"
                          "<item><Day>Pazar</Dya></item>\n</streaming>\n</radyo>\n"
                        : "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<duyurular>\n"
                          "<announcement>\n<item><Title>Eksik</Titel></item>\n"
                          "</announcement>\n</duyurular>\n";
    }
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    if (schedule) {
        xml += "<radyo>\n  <streaming>\n";
        const size_t count = sizeof kWeek / sizeof kWeek[0];
        for (size_t i = 0; i < count; ++i) {
            const Programme& p = kWeek[i];
            // The mixed-content slot sits mid-week: every day reads its Day, so every
            // day's load stops there.
            const std::string day = fault == FeedFault::MixedContent && i == count / 2
                                        ? std::string("Per<b>şembe</b>")
                                        : std::string(p.day);
            xml += "    <item id=\"" + std::to_string(i + 1) + "\">\n      <Day>" + day +
                   "</Day>\n      <Hour>" + p.hour + "</Hour>\n      <Name>" + p.name +
                   "</Name>\n      <Program>" + p.program + "</Program>\n      <Description>" +
                   p.description + "</Description>\n    </item>\n";
        }
        xml += "  </streaming>\n</radyo>\n";
        return xml;
    }
    xml += "<duyurular>\n  <announcement>\n";
    for (int n = 1; n <= kAnnouncementCount; ++n) {
        const Announcement& a = kAnnouncements[n - 1];
        const std::string bodyText = fault == FeedFault::MixedContent && n == 3
                                         ? std::string("Yeni akış <b>Pazartesi</b> başlıyor.")
                                         : std::string(a.body);
        xml += "    <item>\n      <Title>" + std::string(a.title) +
               "</Title>\n      <ShortContent>" + a.shortContent + "</ShortContent>\n      <Body>" +
               bodyText + "</Body>\n";
        if (a.picture) {
            xml += "      <ImageUrl>" +
                   m_server.url("/guide/duyuru-" + std::to_string(n) + ".png") + "</ImageUrl>\n";
        }
        xml += "    </item>\n";
    }
    xml += "  </announcement>\n</duyurular>\n";
    return xml;
}

}  // namespace velora::sim
