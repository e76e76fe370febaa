#include "service/text_rules.h"

#include <gtest/gtest.h>

#include "service/cp1254.h"

namespace velora {
namespace {

TEST(UrlFormEncode, EscapesEachByteClass) {
    struct Case {
        QByteArray in;
        QByteArray out;
    };
    const Case cases[] = {
        {"a&b=c d", "a%26b%3Dc+d"},
        {"~", "%7E"},
        {"*@._-$!'()", "*@._-$!'()"},
        {"", ""},
        {"Zarudev Oziver-Diraz Velora", "Zarudev+Oziver-Diraz+Velora"},
        {cp1254::encode(QStringLiteral("Güzel şarkı")), "G%FCzel+%FEark%FD"},
        {"Merhaba\r\nSelam", "Merhaba%0D%0ASelam"},
        {"a+b@c.com", "a%2Bb@c.com"},
        {QByteArray("ab\0cd", 5), "ab"},  // a NUL byte ends the input
        {"\x01\x7f\xff\"#%,/:;<>?[\\]^`{|}",
         "%01%7F%FF%22%23%25%2C%2F%3A%3B%3C%3E%3F%5B%5C%5D%5E%60%7B%7C%7D"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UrlFormEncode(c.in), c.out) << c.in.toStdString();
    }
}

TEST(ReplaceAll, ScansLeftToRightWithoutOverlap) {
    EXPECT_EQ(ReplaceAll("a___b", "__", "\r\n"), QByteArray("a\r\n_b"));
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), QByteArray("aa"));  // inserted text not rescanned
    EXPECT_EQ(ReplaceAll("abc", "x", "y"), QByteArray("abc"));
    EXPECT_EQ(ReplaceAll("", "x", "y"), QByteArray(""));
    EXPECT_EQ(ReplaceAll("abc", "", "y"), QByteArray("abc"));
}

TEST(ReadInteger, AcceptsOnlyWholeIntegers) {
    struct Case {
        QByteArray text;
        int32_t value;
    };
    const Case cases[] = {
        {"3", 3},
        {"  -2", -2},
        {"+7", 7},
        {"0x1F", 31},
        {"$10", 16},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", 99},
        {"1004 ", 99},
        {"", 99},
        {"abc", 99},
        {"12abc", 99},
        {"0x", 99},
        {"$", 99},
        {"-", 99},
        {"1.5", 99},
        {"$1FFFFFFFF", 99},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readInteger(c.text, 99), c.value) << c.text.toStdString();
    }
}

TEST(Cp1254, EveryByteRoundTripsAndMissingCharactersFallBack) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    EXPECT_EQ(cp1254::encode(cp1254::decode(all)), all);
    EXPECT_EQ(cp1254::decode("\xD0\xDD\xDE\xF0\xFD\xFE"), QStringLiteral("ĞİŞğış"));
    // A letter the code page lacks becomes its base letter; an unknown character "?".
    EXPECT_EQ(cp1254::encode(QStringLiteral("ā ł – 日")), QByteArray("a l \x96 ?"));
}

}  // namespace
}  // namespace velora
