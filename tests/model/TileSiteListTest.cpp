#include <gtest/gtest.h>

#include "BinaryBytes.h"
#include "TempFolder.h"
#include "model/AppSettings.h"

namespace {

// One record in the shape the tile settings dialog writes, lines ending in "\n".
QString Record(const QString& title, const QString& path, const QString& zoomMin, const QString& zoomMax,
               const QString& flag)
{
    return QStringLiteral(
               "{\n\t\"%1\",\n\t\"https://tiles.example\",\n\t\"%2\",\n\t\".png\",\n\t%3,\n\t%4,\n\t%5\n}\n")
        .arg(title, path, zoomMin, zoomMax, flag);
}

QString ThreeRecords()
{
    return Record("地図A", "/xyz/a", "2", "18", "false") + Record("地図B", "/xyz/b", "5", "16", "true") +
           Record("地図C", "/xyz/c", "3", "17", "false");
}

// The file as written on Windows: UTF-8 with a byte-order mark and CR LF line ends.
QByteArray WindowsFile(const QString& text)
{
    return QByteArray("\xEF\xBB\xBF") + QString(text).replace("\n", "\r\n").toUtf8();
}

std::vector<QString> Paths(const fe::geo::TileSiteVector& sites)
{
    std::vector<QString> paths;
    for (const fe::geo::TileSite& site : sites)
        paths.push_back(site.path);
    return paths;
}

const std::vector<QString> kBuiltIns = {"/xyz/std", "/xyz/pale", "/xyz/seamlessphoto"};

}  // namespace

TEST(TileSiteList, TheDialogsFormatReadsIntoThreeSitesWithWindowsOrLinuxLineEnds)
{
    TempFolder temp;
    const QString path = temp.file("TileSiteList.txt");
    for (const QByteArray& file : {WindowsFile(ThreeRecords()), ThreeRecords().toUtf8()}) {
        WriteAll(path, file);
        AppSettings s;
        ASSERT_TRUE(s.MergeTileSiteList(path));
        ASSERT_EQ(s.tileSites.size(), 3u);
        const fe::geo::TileSite& b = s.tileSites[1];
        EXPECT_EQ(b.title, QStringLiteral("地図B"));
        EXPECT_EQ(b.baseUrl, QStringLiteral("https://tiles.example"));
        EXPECT_EQ(b.path, QStringLiteral("/xyz/b"));
        EXPECT_EQ(b.extension, QStringLiteral(".png"));
        EXPECT_EQ(b.zoomMin, 5);
        EXPECT_EQ(b.zoomMax, 16);
        EXPECT_TRUE(b.transparent);
        EXPECT_EQ(b.cacheFolderName, QStringLiteral("_xyz_b"));
        EXPECT_EQ(s.tileSites[0].title, QStringLiteral("地図A"));  // no byte-order mark in the title
        EXPECT_FALSE(s.tileSites[2].transparent);
    }
}

TEST(TileSiteList, RecordsAreReadFreelyAndTooFewGiveTheBuiltInBaseMaps)
{
    struct Case
    {
        const char* name;
        QString text;
        std::vector<QString> paths;
        int zoomMin, zoomMax;  // of the first site
        bool transparent;      // of the first site
    };
    const Case cases[] = {
        {"one record without a title", ThreeRecords().replace("地図B", ""), kBuiltIns, 2, 18, false},
        {"zoom lines with letters keep 2 and 18",
         Record("地図A", "/xyz/a", "abc", "z9", "false") + Record("B", "/b", "1", "2", "false") +
             Record("C", "/c", "1", "2", "false"),
         {"/xyz/a", "/b", "/c"},
         2,
         18,
         false},
        {"zooms outside what a tile key holds keep 2 and 18",
         Record("地図A", "/xyz/a", "-1", "2147483647", "false") + Record("B", "/b", "1", "2", "false") +
             Record("C", "/c", "1", "2", "false"),
         {"/xyz/a", "/b", "/c"},
         2,
         18,
         false},
        {"a lowest zoom of 19 keeps 2, a highest zoom of 0 is taken",
         Record("地図A", "/xyz/a", "19", "0", "false") + Record("B", "/b", "1", "2", "false") +
             Record("C", "/c", "1", "2", "false"),
         {"/xyz/a", "/b", "/c"},
         2,
         0,
         false},
        {"a flag that begins with true",
         Record("地図A", "/xyz/a", "4", "12", "trueX") + Record("B", "/b", "1", "2", "false") +
             Record("C", "/c", "1", "2", "false"),
         {"/xyz/a", "/b", "/c"},
         4,
         12,
         true},
        {"records on one line, one of them cut short",
         "{\"A\",\"https://t\",\"/a/b\",\".png\",3,15,true}{\"short\",\"u\"}{\"B\",\"u\",\"/"
         "b\",\".jpg\",1,2,false} "
         "{\"C\",\"u\",\"/c\",\".jpg\",1,2,false}\n",
         {"/a/b", "/b", "/c"},
         3,
         15,
         true},
        {"four records are all kept",
         ThreeRecords() + Record("D", "/d", "1", "2", "false"),
         {"/xyz/a", "/xyz/b", "/xyz/c", "/d"},
         2,
         18,
         false},
        {"text around the records is skipped",
         "# base maps\n" + ThreeRecords() + "end",
         {"/xyz/a", "/xyz/b", "/xyz/c"},
         2,
         18,
         false},
        {"the last record lacks its closing brace",
         ThreeRecords().chopped(2),
         {"/xyz/a", "/xyz/b", "/xyz/c"},
         2,
         18,
         false},
        {"empty file", "", kBuiltIns, 2, 18, false},
    };
    TempFolder temp;
    const QString path = temp.file("TileSiteList.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(path, WindowsFile(c.text));
        AppSettings s;
        EXPECT_TRUE(s.MergeTileSiteList(path));
        EXPECT_EQ(Paths(s.tileSites), c.paths);
        EXPECT_EQ(s.tileSites[0].zoomMin, c.zoomMin);
        EXPECT_EQ(s.tileSites[0].zoomMax, c.zoomMax);
        EXPECT_EQ(s.tileSites[0].transparent, c.transparent);
    }
    AppSettings s;
    EXPECT_EQ(s.tileSites[0].cacheFolderName, QStringLiteral("_xyz_std"));
}

TEST(TileSiteList, TheFileInTheWritableFolderFeedsEveryLoadAndAMissingOneTheBuiltIns)
{
    TempFolder temp;
    AppSettings s;
    EXPECT_FALSE(s.MergeTileSiteList(temp.file("missing.txt")));
    EXPECT_EQ(Paths(s.tileSites), kBuiltIns);

    WriteAll(AppSettings::TileSiteListPath(), WindowsFile(ThreeRecords()));
    const QString settingPath = temp.file("setting.bin");
    ASSERT_TRUE(AppSettings().Save(settingPath));
    ASSERT_TRUE(s.Load(settingPath));
    EXPECT_EQ(Paths(s.tileSites), std::vector<QString>({"/xyz/a", "/xyz/b", "/xyz/c"}));
    EXPECT_EQ(s.currentTileSite.path, QStringLiteral("/xyz/std"));  // the current site stays the stored one
}

// A hostile file: lines of nothing but braces open and close empty records by the thousand, and
// more records than any dialog writes are cut at the bound.
TEST(TileSiteList, LinesOfBracesAndCountlessRecordsAreReadWithinBounds)
{
    TempFolder temp;
    const QString path = temp.file("TileSiteList.txt");
    QByteArray text = "{" + QByteArray("}{").repeated(1 << 16) + "}\n";
    for (int i = 0; i < 1200; ++i)
        text += QStringLiteral("{\"T%1\",\"u\",\"/p%1\",\".png\",3,15,true}\n").arg(i).toUtf8();
    WriteAll(path, text);
    AppSettings s;
    EXPECT_TRUE(s.MergeTileSiteList(path));
    ASSERT_EQ(s.tileSites.size(), 1000u);
    EXPECT_EQ(s.tileSites[0].path, QStringLiteral("/p0"));
    EXPECT_EQ(s.tileSites[999].path, QStringLiteral("/p999"));
    EXPECT_EQ(s.tileSites[999].zoomMax, 15);
}
