// The photo list, ledger list and photo set workbooks written for a small project and read back with
// openpyxl and LibreOffice.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <map>

#include "ListExportProject.h"
#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "report/LedgerListReport.h"
#include "report/PhotoListReport.h"
#include "report/PhotoSetReport.h"
#include "report/ProjectPhotoSource.h"

namespace {

using namespace list_export;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A column width as the workbook stores it for a width in characters of 8-pixel digits.
double StoredWidth(double characters)
{
    return std::trunc((characters * 8 + 5) / 8 * 256) / 256;
}

// A progress window that asks to stop at once.
class StoppingProgress : public ReportProgress
{
public:
    void SetTitle(const QString&) override {}
    void SetRange(int) override {}
    void SetPosition(int) override {}
    void Advance() override {}
    bool Cancelled() const override { return true; }
};

class ListReportsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeProject(m_folder.path(), m_project));
        m_out = m_folder.file(QStringLiteral("out"));
        ASSERT_TRUE(QDir().mkpath(m_out));
    }

    // Writes with `writer` as <out>/<name>.xlsx and returns what openpyxl reads of its one sheet.
    template <typename Writer, typename Write>
    QJsonObject WriteAndRead(Writer& writer, const QString& name, Write write, const QString& sheet)
    {
        writer.folder = m_out;
        writer.fileName = name;
        const int result = write(writer);
        EXPECT_EQ(result, kListWritten) << writer.errorText.toStdString();
        const QString path = m_out + '/' + name + ".xlsx";
        workbook_check::Keep(path);
        const QJsonObject book = workbook_check::Dump(path);
        EXPECT_EQ(book["sheets"].toArray(), QJsonArray({sheet}));
        EXPECT_EQ(book["problems"].toArray(), QJsonArray());
        return book["sheet"][sheet].toObject();
    }

    QJsonObject PhotoList(int viewMode, int map, const QString& name)
    {
        PhotoListReport writer(&m_project, &m_source);
        writer.viewMode = viewMode;
        writer.currentMap = map;
        return WriteAndRead(writer, name, [](PhotoListReport& w) { return w.WritePhotoList(); },
                            PhotoListReport::BookName());
    }

    static void ExpectWidths(const QJsonObject& sheet, const std::map<QString, double>& widths)
    {
        const QJsonObject stored = sheet["widths"].toObject();
        EXPECT_EQ(stored.size(), static_cast<int>(widths.size())) << QJsonDocument(stored).toJson().toStdString();
        for (const auto& [column, width] : widths)
            EXPECT_DOUBLE_EQ(stored[column].toDouble(), StoredWidth(width)) << column.toStdString();
    }

    // The pictures' anchors as (column, row) with 0-based numbers.
    static QJsonArray Anchors(const std::vector<std::pair<int, int>>& cells)
    {
        QJsonArray anchors;
        for (const auto& [column, row] : cells)
            anchors.append(QJsonArray({column, row}));
        return anchors;
    }

    TempFolder m_folder;
    Project m_project;
    ProjectPhotoSource m_source{m_project};
    QString m_out;
};

TEST_F(ListReportsTest, PhotoListOfTheSiteOverviewHasARowAndAPicturePerPhoto)
{
    const QJsonObject sheet = PhotoList(0, -1, QStringLiteral("overview"));
    const QJsonObject cells = sheet["cells"].toObject();
    const QJsonObject formats = sheet["formats"].toObject();
    const QStringList headers = {"撮影写真番号", "写真", "緯度", "経度", "撮影角度", "撮影日", "撮影時刻", "ファイル名", "元ファイル名"};
    for (int i = 0; i < headers.size(); ++i)
        EXPECT_EQ(cells[QString(QChar('A' + i)) + "1"].toString(), headers[i]);
    EXPECT_FALSE(cells.contains("J1"));
    for (int id = 1; id <= kPhotoCount; ++id) {
        const QString r = QString::number(id + 1);
        SCOPED_TRACE(r.toStdString());
        const PhotoRecord photo = MakePhoto(id);
        EXPECT_EQ(cells["A" + r].toInt(), id);
        if (HasPosition(id)) {
            EXPECT_NEAR(cells["C" + r].toDouble(), Latitude(id), 1e-12);
            EXPECT_NEAR(cells["D" + r].toDouble(), Longitude(id), 1e-12);
            EXPECT_EQ(formats["C" + r].toString(), "###0.000000");
        } else {
            EXPECT_EQ(cells["C" + r].toString(), " ");
            EXPECT_EQ(cells["D" + r].toString(), " ");
        }
        EXPECT_EQ(formats["E" + r].toString(), "###0.0");
        EXPECT_EQ(cells.contains("E" + r), HasDirection(id));
        if (HasDirection(id)) {
            EXPECT_DOUBLE_EQ(cells["E" + r].toDouble(), id * 15.5);
        }
        EXPECT_EQ(cells["F" + r].toString(), photo.date);
        EXPECT_EQ(cells["G" + r].toString(), photo.time);
        EXPECT_EQ(cells["H" + r].toString(), QStringLiteral("p%1.jpg").arg(id, 6, 10, QChar('0')));
        EXPECT_EQ(cells["I" + r].toString(), photo.sourceName);
        EXPECT_EQ(sheet["heights"][r].toDouble(), 74);
    }
    EXPECT_EQ(sheet["heights"]["1"].toDouble(), 13.5);
    ExpectWidths(sheet, {{"A", 12}, {"B", 18}, {"C", 13}, {"H", 16}});
    // Header page: rows 1 to 8; then seven rows a page.
    EXPECT_EQ(sheet["breaks"].toArray(), QJsonArray({8, 15, 22}));
    std::vector<std::pair<int, int>> pictures;
    for (int k = 1; k <= kPhotoCount; ++k)
        pictures.push_back({1, k});
    EXPECT_EQ(sheet["images"].toArray(), Anchors(pictures));
    EXPECT_EQ(sheet["orientation"].toString(), "landscape");
    EXPECT_EQ(sheet["paper"].toVariant().toInt(), 9);

    // Alignment, wrapping and frames, on the first and on a later page.
    const QJsonObject styles = sheet["styles"].toObject();
    EXPECT_EQ(styles["A1"].toArray()[0].toString(), "center");
    EXPECT_TRUE(styles["A1"].toArray()[2].toBool());
    for (const QString cell : {"A9", "B23", "F16", "I23"}) {
        const QJsonArray style = styles[cell].toArray();
        SCOPED_TRACE(cell.toStdString());
        EXPECT_EQ(style[1].toString(), "center");
        for (int edge = 6; edge < 10; ++edge)
            EXPECT_EQ(style[edge].toString(), "thin");
    }
    EXPECT_EQ(styles["F16"].toArray()[0].toString(), "center");
    EXPECT_TRUE(styles["I23"].toArray()[2].toBool());
    EXPECT_FALSE(styles["B23"].toArray()[2].toBool());
}

TEST_F(ListReportsTest, PhotoListOnARegisteredMapShowsPlaneCoordinatesOfPlacedPhotos)
{
    const QJsonObject sheet = PhotoList(2, 0, QStringLiteral("plane"));
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "位置図\n写真番号");
    EXPECT_EQ(cells["H1"].toString(), "平面直角座標\nX");
    EXPECT_EQ(cells["I1"].toString(), "平面直角座標\nY");
    EXPECT_EQ(cells["J1"].toString(), "ファイル名");
    EXPECT_EQ(cells["K1"].toString(), "元ファイル名");
    EXPECT_EQ(sheet["heights"]["1"].toDouble(), 28);
    // Photo 1: placed; photo 5: placed without number; photo 10: not placed on this map.
    EXPECT_EQ(cells["A2"].toString(), "P-1");
    EXPECT_EQ(cells["A6"].toString(), "**");
    EXPECT_NEAR(cells["H2"].toDouble(), PlaneX(PictureX(1)), 1e-6);
    EXPECT_NEAR(cells["I2"].toDouble(), PlaneY(PictureY(1)), 1e-6);
    EXPECT_EQ(sheet["formats"]["H2"].toString(), "###0.00");
    EXPECT_NEAR(cells["H17"].toDouble(), PlaneX(PictureX(16)), 1e-6);
    EXPECT_FALSE(cells.contains("A11") && !cells["A11"].toString().isEmpty());
    EXPECT_FALSE(cells.contains("H11"));
    EXPECT_FALSE(cells.contains("I11"));
    EXPECT_EQ(cells["J11"].toString(), "p000010.jpg");
    EXPECT_EQ(cells["K11"].toString(), "DSC1010.JPG");
    ExpectWidths(sheet, {{"A", 8}, {"B", 18}, {"C", 10}, {"F", 11}, {"G", 10}, {"H", 13}, {"J", 12}});
    EXPECT_EQ(sheet["styles"]["K23"].toArray()[9].toString(), "thin");
}

TEST_F(ListReportsTest, PhotoListOnAWebMapNeverShowsPlaneCoordinates)
{
    const QJsonObject sheet = PhotoList(3, 1, QStringLiteral("web"));
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "位置図\n写真番号");
    EXPECT_EQ(cells["H1"].toString(), "ファイル名");
    EXPECT_FALSE(cells.contains("J1"));
    EXPECT_EQ(cells["A19"].toString(), "W18");
    EXPECT_EQ(cells["H19"].toString(), "p000018.jpg");
    EXPECT_EQ(sheet["heights"]["1"].toDouble(), 28);
}

TEST_F(ListReportsTest, LedgerListFollowsTheMapsEntries)
{
    LedgerListReport writer(&m_project, &m_source, 0);
    const QJsonObject sheet = WriteAndRead(writer, QStringLiteral("写真台帳リスト_堤A"),
                                           [](LedgerListReport& w) { return w.WriteLedgerList(); },
                                           LedgerListReport::SheetName());
    const QJsonObject cells = sheet["cells"].toObject();
    const QStringList headers = {"位置図写真番号", "写真", "撮影日", "撮影時刻", "コメント", "緯度", "経度", "撮影角度", "ファイル名", "元ファイル名"};
    for (int i = 0; i < headers.size(); ++i)
        EXPECT_EQ(cells[QString(QChar('A' + i)) + "1"].toString(), headers[i]);
    const std::vector<PlacedPhoto>& entries = m_project.maps.maps[0].photos.entries;
    ASSERT_EQ(entries.size(), 16u);
    std::vector<std::pair<int, int>> pictures;
    for (int k = 1; k <= 16; ++k) {
        const QString r = QString::number(k + 1);
        const int id = entries[static_cast<size_t>(k - 1)].photoId;
        SCOPED_TRACE(id);
        EXPECT_EQ(sheet["heights"][r].toDouble(), 74);
        if (id == kMissingPhotoId) {
            // The photo has gone: the number alone.
            EXPECT_EQ(cells["A" + r].toString(), "P-99");
            for (const char* column : {"C", "D", "E", "F", "G", "H", "I", "J"})
                EXPECT_FALSE(cells.contains(column + r)) << column;
            continue;
        }
        pictures.push_back({1, k});
        const PhotoRecord photo = MakePhoto(id);
        EXPECT_EQ(cells["A" + r].toString(), id == 5 ? QStringLiteral("**") : QStringLiteral("P-%1").arg(id));
        EXPECT_EQ(cells["C" + r].toString(), photo.date.isEmpty() ? QStringLiteral("-") : photo.date);
        EXPECT_EQ(cells["D" + r].toString(), photo.time.isEmpty() ? QStringLiteral("-") : photo.time);
        EXPECT_EQ(cells["E" + r].toString(), QStringLiteral("コメント%1\n二行目").arg(id));
        EXPECT_EQ(cells.contains("F" + r) && cells["F" + r].isDouble(), HasPosition(id));
        EXPECT_EQ(sheet["formats"]["H" + r].toString(), "###0.0");
        EXPECT_EQ(cells.contains("H" + r), HasDirection(id));
        EXPECT_EQ(cells["I" + r].toString(), QStringLiteral("p%1.jpg").arg(id, 6, 10, QChar('0')));
        EXPECT_EQ(cells["J" + r].toString(), photo.sourceName);
    }
    EXPECT_EQ(sheet["images"].toArray(), Anchors(pictures));
    EXPECT_EQ(sheet["breaks"].toArray(), QJsonArray({8, 15}));
    EXPECT_EQ(sheet["heights"]["1"].toDouble(), 13.5);
    ExpectWidths(sheet, {{"A", 11}, {"B", 18}, {"C", 9}, {"D", 8}, {"E", 34}, {"F", 9}, {"H", 8}, {"I", 11}});
    const QJsonObject styles = sheet["styles"].toObject();
    // The header keeps its place; every comment below, also the first of a later page, sits at the top.
    EXPECT_TRUE(styles["E1"].toArray()[1].isNull());
    for (const QString cell : {"E2", "E8", "E9", "E17"})
        EXPECT_EQ(styles[cell].toArray()[1].toString(), "top") << cell.toStdString();
    EXPECT_EQ(styles["C9"].toArray()[0].toString(), "center");
    EXPECT_TRUE(styles["E9"].toArray()[2].toBool());
    EXPECT_EQ(styles["A17"].toArray()[4].toDouble(), 9);
    EXPECT_EQ(styles["J17"].toArray()[9].toString(), "thin");
}

TEST_F(ListReportsTest, PhotoSetCardsFillBandsOfFourAndPagesOfTwenty)
{
    struct Case
    {
        int photos;
        std::vector<int> fullHeightRows;  // rows of 15.5 points
        std::vector<int> defaultRows;     // rows of a partial band, left at the default height
    };
    const Case cases[] = {{5, {1, 3, 4, 5, 6}, {7, 9, 10, 11, 12}}, {21, {1, 3, 24, 25, 27, 30}, {31, 33, 36}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.photos);
        std::vector<PhotoRecord> photos(m_project.photos.photos.begin(),
                                        m_project.photos.photos.begin() + c.photos);
        PhotoSetReport writer(&m_project, &m_source, photos);
        const QJsonObject sheet = WriteAndRead(writer, QStringLiteral("set%1").arg(c.photos),
                                               [](PhotoSetReport& w) { return w.WritePhotoSet(); },
                                               PhotoSetReport::BookName());
        const QJsonObject cells = sheet["cells"].toObject();
        const QJsonObject heights = sheet["heights"].toObject();
        std::vector<std::pair<int, int>> pictures;
        for (int n = 0; n < c.photos; ++n) {
            const QString column(QChar('B' + n % 4));
            const int top = 6 * (n / 4) + 1;
            const PhotoRecord photo = MakePhoto(n + 1);
            EXPECT_EQ(cells[column + QString::number(top)].toInt(), n + 1);
            EXPECT_EQ(heights[QString::number(top + 1)].toDouble(), 85);
            QString shot = photo.date;
            if (!photo.date.isEmpty() && !photo.time.isEmpty())
                shot += ' ' + photo.time;
            else if (photo.date.isEmpty())
                shot = photo.time;
            if (shot.isEmpty()) {
                EXPECT_FALSE(cells.contains(column + QString::number(top + 4)) &&
                             !cells[column + QString::number(top + 4)].toString().isEmpty());
            } else {
                EXPECT_EQ(cells[column + QString::number(top + 4)].toString(), shot);
            }
            EXPECT_EQ(cells[column + QString::number(top + 5)].toString(), PhotoFileName(n + 1));
            pictures.push_back({1 + n % 4, top});
        }
        EXPECT_EQ(sheet["images"].toArray(), Anchors(pictures));
        const int lastTop = 6 * ((c.photos - 1) / 4) + 1;
        const QStringList labels = {"No", "写真", "緯度", "経度", "撮影日時", "ファイル名"};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(cells["A" + QString::number(lastTop + i)].toString(), labels[i]);
        for (int row : c.fullHeightRows)
            EXPECT_EQ(heights[QString::number(row)].toDouble(), 15.5) << row;
        for (int row : c.defaultRows)
            EXPECT_FALSE(heights.contains(QString::number(row))) << row;
        ExpectWidths(sheet, {{"A", 10}, {"B", 18.5}});
        EXPECT_EQ(sheet["orientation"].toString(), "portrait");
        const QJsonArray frame = sheet["styles"]["E" + QString::number(lastTop + 5)].toArray();
        EXPECT_EQ(frame[8].toString(), "thin");
        EXPECT_EQ(frame[7].toString(), "medium");
        EXPECT_EQ(frame[9].toString(), "medium");
    }
}

TEST_F(ListReportsTest, EmptyListsWriteTheirHeaderAlone)
{
    m_project.photos.photos.clear();
    m_project.maps.maps[0].photos.entries.clear();
    const QJsonObject list = PhotoList(0, -1, QStringLiteral("none"));
    EXPECT_EQ(list["cells"].toObject().size(), 9);
    EXPECT_EQ(list["styles"]["I1"].toArray()[9].toString(), "thin");
    EXPECT_EQ(list["breaks"].toArray(), QJsonArray());
    LedgerListReport ledger(&m_project, &m_source, 0);
    const QJsonObject entries = WriteAndRead(ledger, QStringLiteral("noentries"),
                                             [](LedgerListReport& w) { return w.WriteLedgerList(); },
                                             LedgerListReport::SheetName());
    EXPECT_EQ(entries["cells"].toObject().size(), 10);
    EXPECT_TRUE(entries["styles"]["E1"].toArray()[1].isNull());
    PhotoSetReport set(&m_project, &m_source, {});
    const QJsonObject cards = WriteAndRead(set, QStringLiteral("nocards"), [](PhotoSetReport& w) { return w.WritePhotoSet(); },
                                           PhotoSetReport::BookName());
    EXPECT_EQ(cards["cells"].toObject().size(), 0);
    EXPECT_EQ(cards["images"].toArray(), QJsonArray());
}

TEST_F(ListReportsTest, FailuresAndCancelLeaveTheTargetAsItWas)
{
    const QString earlier = m_out + "/list.xlsx";
    {
        QFile file(earlier);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("an earlier workbook");
    }
    // Cancelled in the progress window: the cancel text, nothing written.
    PhotoListReport cancelled(&m_project, &m_source);
    cancelled.folder = m_out;
    cancelled.fileName = QStringLiteral("list");
    cancelled.SetProgressFactory([] { return std::make_unique<StoppingProgress>(); });
    EXPECT_EQ(cancelled.WritePhotoList(), kListCancelled);
    EXPECT_EQ(cancelled.errorText, "Excel出力がキャンセルされました。");
    EXPECT_EQ(ReadAll(earlier), "an earlier workbook");
    EXPECT_EQ(QDir(m_out).entryList(QDir::Files | QDir::Hidden), QStringList({"list.xlsx"}));

    // A read-only target: the pre-check's text names the file.
    ASSERT_TRUE(QFile::setPermissions(earlier, QFileDevice::ReadOwner));
    PhotoSetReport readOnly(&m_project, &m_source, m_project.photos.photos);
    readOnly.folder = m_out;
    readOnly.fileName = QStringLiteral("list");
    EXPECT_EQ(readOnly.WritePhotoSet(), kListFailed);
    EXPECT_TRUE(readOnly.errorText.startsWith("Excelが出力できませんでした。")) << readOnly.errorText.toStdString();
    EXPECT_TRUE(readOnly.errorText.endsWith("list.xlsx"));
    EXPECT_EQ(ReadAll(earlier), "an earlier workbook");

    // A map index outside the project's maps.
    LedgerListReport noMap(&m_project, &m_source, 2);
    noMap.folder = m_out;
    noMap.fileName = QStringLiteral("ledger");
    EXPECT_EQ(noMap.WriteLedgerList(), kListFailed);
    EXPECT_EQ(noMap.errorText, "Excel出力に失敗しました。");
    EXPECT_FALSE(QFile::exists(m_out + "/ledger.xlsx"));

    // Without a project nothing is written.
    PhotoListReport noProject(nullptr, &m_source);
    noProject.folder = m_out;
    noProject.fileName = QStringLiteral("x");
    EXPECT_EQ(noProject.WritePhotoList(), kListFailed);
    EXPECT_FALSE(QFile::exists(m_out + "/x.xlsx"));
}

TEST(ListReportResultTextTest, ResultsBecomeTexts)
{
    EXPECT_EQ(ListReportResultText(0), QString());
    EXPECT_EQ(ListReportResultText(3), QString());
    EXPECT_EQ(ListReportResultText(1), "Excel出力に失敗しました。");
    EXPECT_EQ(ListReportResultText(2), "Excel出力がキャンセルされました。");
    EXPECT_EQ(ListReportResultText(7), "Excel出力:処理値が異常です。");
    EXPECT_EQ(ListReportResultText(-1), "Excel出力:処理値が異常です。");
}

TEST_F(ListReportsTest, LibreOfficePrintsSevenRowsOrTwentyCardsAPage)
{
    struct Case
    {
        QString name;
        int pages;
        int stars;  // "**" printed: only the number cell of the entry without number
    };
    std::vector<Case> cases;
    {
        PhotoListReport writer(&m_project, &m_source);
        writer.folder = m_out;
        writer.fileName = QStringLiteral("photos");
        ASSERT_EQ(writer.WritePhotoList(), kListWritten);
        cases.push_back({"photos", 4, 0});
    }
    {
        LedgerListReport writer(&m_project, &m_source, 0);
        writer.folder = m_out;
        writer.fileName = QStringLiteral("ledger");
        ASSERT_EQ(writer.WriteLedgerList(), kListWritten);
        cases.push_back({"ledger", 3, 1});
    }
    for (int count : {5, 21}) {
        PhotoSetReport writer(&m_project, &m_source,
                              std::vector<PhotoRecord>(m_project.photos.photos.begin(),
                                                       m_project.photos.photos.begin() + count));
        writer.folder = m_out;
        writer.fileName = QStringLiteral("set%1").arg(count);
        ASSERT_EQ(writer.WritePhotoSet(), kListWritten);
        cases.push_back({writer.fileName, count > 20 ? 2 : 1, 0});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const workbook_check::Pdf pdf = workbook_check::ConvertToPdf(m_out + '/' + c.name + ".xlsx", m_folder.path());
        workbook_check::Keep(pdf.path);
        EXPECT_EQ(pdf.pages, c.pages);
        EXPECT_EQ(pdf.text.count(QStringLiteral("**")), c.stars);
    }
}

}  // namespace
