#include "service/ini_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace velora {
namespace {

TEST(SavedStationIndex, ReadsTheSettingsFileBesideTheExecutable) {
    struct Case {
        const char* what;
        const char* content;  // nullptr: no file
        int32_t index;
    };
    const Case cases[] = {
        {"no file", nullptr, 0},
        {"plain", "[ayar]\r\nayar1=2\r\n", 2},
        {"any case, blanks", "[AYAR]\nAyar1 =   3  \n", 3},
        {"hexadecimal", "[ayar]\nayar1=$A\n", 10},
        {"negative", "[ayar]\nayar1=-1\n", -1},
        {"not an integer", "[ayar]\nayar1=iki\n", 0},
        {"other section", "[other]\nayar1=4\n", 0},
        {"missing key", "[ayar]\nayar2=4\n", 0},
        {"later section does not leak", "[ayar]\nx=1\n[b]\nayar1=5\n", 0},
        {"quoted", "[ayar]\nayar1=\"6\"\n", 6},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString exe = dir.filePath("diraz-velora");
        if (c.content) {
            QFile f(dir.filePath("ayar.ini"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        EXPECT_EQ(readSavedStationIndex(exe), c.index) << c.what;
    }
}

}  // namespace
}  // namespace velora
