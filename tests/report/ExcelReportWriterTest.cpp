#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "report/ExcelReportWriter.h"
#include "xlsx/ZipPackage.h"

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString WritePhoto(const QString& path, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    return picture.save(path, "JPEG") ? path : QString();
}

// Project photos kept as files in a folder, as the project stores them.
class FolderPhotos : public ReportPhotoSource
{
public:
    bool FindPhoto(int id, Photo& photo) const override
    {
        const auto it = photos.find(id);
        if (it == photos.end())
            return false;
        photo = it->second;
        return true;
    }
    QImage LoadPhotoImage(int id, QSize box) const override
    {
        QImage picture(photos.at(id).storedFile);
        readBoxes.push_back(box);
        return picture;
    }
    int PhotoQuality() const override { return quality; }

    std::map<int, Photo> photos;
    int quality = 2;
    mutable std::vector<QSize> readBoxes;
};

// The pictures of a written workbook, in the order of their parts.
std::vector<QByteArray> Media(const QString& book)
{
    xlsx::ZipReader zip;
    std::string error, data;
    std::vector<QByteArray> media;
    if (!zip.Open(book.toStdString(), error))
        return media;
    for (int i = 1; zip.Read("xl/media/image" + std::to_string(i) + ".jpeg", data, error); ++i)
        media.push_back(QByteArray::fromStdString(data));
    return media;
}

class ExcelReportWriterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_writer.folder = m_folder.path();
        m_photos.photos[12] = {0, WritePhoto(m_folder.file("p000012.jpg"), 640, 480)};
        m_photos.photos[13] = {90, WritePhoto(m_folder.file("p000013.jpg"), 640, 480)};
    }

    QJsonObject WriteAndDump(const QString& name)
    {
        EXPECT_EQ(m_writer.OutputFile(name), 0) << m_writer.errorText.toStdString();
        return workbook_check::Dump(m_folder.file(name + ".xlsx"));
    }

    TempFolder m_folder;
    FolderPhotos m_photos;
    CExcelReportWriter m_writer{&m_photos};
};

TEST_F(ExcelReportWriterTest, NumbersAndLatitudesAsTheListsWriteThem)
{
    ASSERT_EQ(m_writer.StartNewWorkbook(), 0);
    ASSERT_EQ(m_writer.Report()->page.PageBeginW("一覧", "1"), 1);
    m_writer.PutLatLonCell("A1", true, CExcelReportWriter::kUnset);
    m_writer.PutLatLonCell("A2", true, 35.5);
    m_writer.PutLatLonCell("A3", true, 139.7);
    m_writer.PutLatLonCell("A4", false, 139);
    m_writer.PutLatLonCell("A5", false, 35.68123456789012);
    m_writer.PutLatLonCell("A6", false, std::nan(""));
    m_writer.PutCellNumber("B1", 7, -1);
    m_writer.PutCellNumber("B2", 3e9, -1);  // outside the 32-bit range: stored as it is
    m_writer.PutCellNumber("B3", -1, -1);   // the skip value
    m_writer.PutCellNumber("B4", 1e-310, -1);
    m_writer.PutCellText("C1", "文字");

    const QJsonObject dump = WriteAndDump("latlon");
    EXPECT_EQ(m_writer.writtenCount, 1);
    EXPECT_EQ(m_writer.Report(), nullptr);
    const QJsonObject sheet = dump["sheet"]["一覧"].toObject();
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), " ");
    EXPECT_EQ(cells["A2"].toString(), "35°30′0.00″");
    EXPECT_EQ(cells["A3"].toString(), "139°42′0.00″");
    EXPECT_EQ(cells["A4"].toDouble(), 139);
    EXPECT_EQ(sheet["formats"]["A4"].toString(), "###0.000000");
    EXPECT_EQ(cells["A5"].toDouble(), 35.68123456789012);
    EXPECT_EQ(cells["A6"].toString(), " ");
    EXPECT_EQ(cells["B1"].toDouble(), 7);
    EXPECT_EQ(cells["B2"].toDouble(), 3e9);
    EXPECT_FALSE(cells.contains("B3"));
    EXPECT_FALSE(cells.contains("B4"));
    EXPECT_EQ(cells["C1"].toString(), "文字");
}

TEST_F(ExcelReportWriterTest, PreCheckLeavesAnEarlierWorkbookWhole)
{
    const QString path = m_folder.file("list.xlsx");
    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("an earlier good workbook");
    }
    // The run is checked and then given up: the earlier workbook is still there, untouched.
    EXPECT_TRUE(m_writer.CanWriteFile("list", "撮影写真リスト"));
    EXPECT_EQ(ReadAll(path), "an earlier good workbook");
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden).filter("list"),
              QStringList{"list.xlsx"});

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    EXPECT_FALSE(m_writer.CanWriteFile("list", "撮影写真リスト"));
    EXPECT_TRUE(m_writer.errorText.startsWith(QString::fromUtf8(kExcelCannotWriteText)));
    EXPECT_TRUE(m_writer.errorText.endsWith("list.xlsx"));

    m_writer.errorText.clear();
    m_writer.folder = m_folder.file("missing");
    EXPECT_FALSE(m_writer.CanWriteFile("list.XLSX", "撮影写真リスト"));
    EXPECT_TRUE(m_writer.errorText.endsWith("list.XLSX.xlsx"));
}

TEST_F(ExcelReportWriterTest, PreCheckIsNotStoppedByAProbeLeftBehind)
{
    // A check that was cut off may have left its probe file in the folder.
    QFile left(m_folder.file(".list.xlsx.probe"));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    EXPECT_TRUE(m_writer.CanWriteFile("list", "撮影写真リスト"));
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden).filter(".list"),
              QStringList{".list.xlsx.probe"});
}

TEST_F(ExcelReportWriterTest, FailuresAreReported)
{
    EXPECT_EQ(m_writer.StartFromTemplate(m_folder.file("Systems/report.xlsx")), 1);
    EXPECT_TRUE(m_writer.errorText.contains("report.xlsx"));
    EXPECT_EQ(m_writer.Report(), nullptr);

    m_writer.errorText.clear();
    ASSERT_EQ(m_writer.StartNewWorkbook(), 0);
    EXPECT_EQ(m_writer.BeginTemplatePage("#一覧"), 0);  // a new workbook names the sheet "一覧"
    m_writer.folder = m_folder.file("missing");
    EXPECT_EQ(m_writer.OutputFile("a"), 1);
    EXPECT_FALSE(m_writer.errorText.isEmpty());
    EXPECT_NE(m_writer.Report(), nullptr);  // kept for the writer's own clean-up
    EXPECT_EQ(m_writer.writtenCount, 0);
}

TEST_F(ExcelReportWriterTest, AWorkbookTheLibraryRefusedAPartOfIsNotWritten)
{
    QFile notAPicture(m_folder.file("notes.jpg"));
    ASSERT_TRUE(notAPicture.open(QIODevice::WriteOnly));
    notAPicture.write("not a picture");
    notAPicture.close();
    struct Case
    {
        const char* name;
        std::function<void(CExcelReportWriter&)> put;
        const char* message;  // the library's message; empty: nothing was refused
    };
    const Case cases[] = {
        {"a picture the workbook cannot hold",
         [this](CExcelReportWriter& w) {
             (void)w.InsertPictureFile(m_folder.file("notes.jpg"), 0, "B2", 0, 0, 40, 30);
         },
         "not a picture the workbook can hold"},
        {"a cell below the sheet's last row",
         [](CExcelReportWriter& w) { w.PutCellText("A1048577", "溢れ"); }, "no cell holds A1048577"},
        {"a font size the workbook cannot hold",
         [](CExcelReportWriter& w) { w.Report()->Cell("A1").attr.FontPoint = 1000.0; },
         "font size out of range"},
        {"a template field the sheet does not hold",
         [](CExcelReportWriter& w) { w.PutCellText("**無い欄", "x"); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = m_folder.file("book.xlsx");
        QFile::remove(path);
        m_writer.errorText.clear();
        ASSERT_EQ(m_writer.StartNewWorkbook(), 0);
        ASSERT_EQ(m_writer.Report()->page.PageBeginW("一覧", "1"), 1);
        m_writer.PutCellText("A1", "先頭");
        c.put(m_writer);
        m_writer.PutCellText("A2", "後続");
        if (*c.message == 0) {
            const QJsonObject dump = WriteAndDump("book");
            EXPECT_EQ(dump["sheet"]["一覧"]["cells"]["A2"].toString(), "後続");
            continue;
        }
        EXPECT_EQ(m_writer.OutputFile("book"), 1);
        EXPECT_TRUE(m_writer.errorText.startsWith(QString::fromUtf8(kExcelRefusedText)))
            << m_writer.errorText.toStdString();
        EXPECT_TRUE(m_writer.errorText.contains("book.xlsx"));
        EXPECT_TRUE(m_writer.errorText.contains(QString::fromUtf8(c.message)))
            << m_writer.errorText.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path));
    }
    EXPECT_EQ(m_writer.writtenCount, 1);
}

TEST_F(ExcelReportWriterTest, ReleaseLeavesTheClipboardAlone)
{
    QApplication::clipboard()->setText("利用者のコピー");
    ASSERT_EQ(m_writer.StartNewWorkbook(), 0);
    m_writer.Release();
    EXPECT_EQ(QApplication::clipboard()->text(), "利用者のコピー");
}

TEST_F(ExcelReportWriterTest, EachRunHasItsOwnPictureFolder)
{
    CExcelReportWriter other(&m_photos);
    const QString mine = m_writer.Cache().Path();
    ASSERT_FALSE(mine.isEmpty());
    EXPECT_NE(other.Cache().Path(), mine);
    QString saved;
    ASSERT_TRUE(m_writer.Cache().SaveImage(QImage(20, 20, QImage::Format_RGB32), 0, saved));
    EXPECT_EQ(QFileInfo(saved).fileName(), "img0.jpg");
    EXPECT_FALSE(m_writer.Cache().SaveImage(QImage(20, 20, QImage::Format_RGB32), 7, saved));
    ASSERT_TRUE(m_writer.Cache().SaveImage(QImage(20, 20, QImage::Format_RGB32), 1, saved));
    EXPECT_EQ(QFileInfo(saved).fileName(), "img1.png");
    other.Reset();
    EXPECT_TRUE(QFileInfo::exists(saved));
    m_writer.Reset();
    EXPECT_FALSE(QFileInfo::exists(mine));
}

TEST_F(ExcelReportWriterTest, PicturesAreFittedTurnedAndTakenAsStored)
{
    m_writer.standardSize = 300;
    ASSERT_EQ(m_writer.StartNewWorkbook(), 0);
    ASSERT_EQ(m_writer.Report()->page.PageBeginW("写真", "1"), 1);
    // Highest quality, a box of at least 150 px, not turned: the stored photo as it is.
    ASSERT_TRUE(m_writer.InsertPhotoPicture(12, "B2", 0, 0, 80, 60));
    // A box under 100 × 100 px renders at most 240 × 180.
    ASSERT_TRUE(m_writer.InsertPhotoPicture(12, "B20", 0, 0, 26, 26));
    // A turned photo is rendered turned.
    ASSERT_TRUE(m_writer.InsertPhotoPicture(13, "B40", 0, 0, 80, 60));
    // A picture file turned by 90 degrees.
    ASSERT_TRUE(m_writer.InsertPictureFile(m_photos.photos[12].storedFile, 90, "F2", 1, 1, 40, 40));
    EXPECT_FALSE(m_writer.InsertPhotoPicture(99, "B60", 0, 0, 80, 60));
    EXPECT_FALSE(m_writer.InsertPictureFile(m_folder.file("none.jpg"), 0, "B60", 0, 0, 80, 60));
    // The pictures were read when placed: the private folder may go before the workbook is written.
    m_writer.Cache().Remove();

    const QJsonObject dump = WriteAndDump("photos");
    EXPECT_EQ(dump["sheet"]["写真"]["images"].toArray().size(), 4);
    const std::vector<QByteArray> media = Media(m_folder.file("photos.xlsx"));
    ASSERT_EQ(media.size(), 4u);
    EXPECT_EQ(media[0], ReadAll(m_photos.photos[12].storedFile));
    const QImage small = QImage::fromData(media[1]);
    EXPECT_LE(small.width(), 240);
    EXPECT_LE(small.height(), 180);
    const QImage turned = QImage::fromData(media[2]);
    EXPECT_GT(turned.height(), turned.width());
    const QImage file = QImage::fromData(media[3]);
    EXPECT_EQ(file.size(), QSize(480, 640));
}

TEST_F(ExcelReportWriterTest, RenderFollowsTheQualitySetting)
{
    QImage image;
    int x = 0, y = 0, w = 0, h = 0;
    m_photos.quality = 0;
    m_writer.standardSize = 300;
    // 640 × 480 in a 400 × 200 box: fitted 266 × 200, centred across, drawn at the standard size.
    ASSERT_EQ(m_writer.RenderPhoto(image, 12, 400, 200, x, y, w, h), 0);
    EXPECT_EQ(QSize(w, h), QSize(266, 200));
    EXPECT_EQ(x, 67);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(image.size(), QSize(300, 225));
    const QRgb middle = image.pixel(150, 110);  // the dark cyan photo, not the white ground
    EXPECT_LT(qRed(middle), 20);
    EXPECT_GT(qGreen(middle), 100);
    // Under 10 px the picture is not made.
    m_writer.standardSize = 8;
    EXPECT_EQ(m_writer.RenderPhoto(image, 12, 400, 200, x, y, w, h), 2);
    m_photos.quality = 2;
    EXPECT_EQ(m_writer.RenderPhoto(image, 12, 400, 200, x, y, w, h), 1);
    EXPECT_EQ(m_writer.RenderPhoto(image, 77, 400, 200, x, y, w, h), 2);
    // The photo is read no larger than standard and high quality draw it; the highest reads it whole.
    m_photos.quality = 1;
    m_writer.highSize = 600;
    EXPECT_EQ(m_writer.RenderPhoto(image, 12, 400, 200, x, y, w, h), 0);
    const std::vector<QSize> expected{QSize(300, 300), QSize(8, 8), QSize(), QSize(600, 600)};
    EXPECT_EQ(m_photos.readBoxes, expected);
}

// What the engine asks of the application's progress window.
class RecordedProgress : public ReportProgress
{
public:
    explicit RecordedProgress(QString& log) : m_log(log) {}
    void SetTitle(const QString& title) override { m_log += "title " + title + ";"; }
    void SetRange(int steps) override { m_log += QString("range %1;").arg(steps); }
    void SetPosition(int position) override { m_log += QString("position %1;").arg(position); }
    void Advance() override { m_log += "advance;"; }
    bool Cancelled() const override { return cancelled; }
    bool cancelled = false;

private:
    QString& m_log;
};

TEST_F(ExcelReportWriterTest, ProgressIsTheApplicationsWindow)
{
    m_writer.OpenProgress(5);
    EXPECT_EQ(m_writer.Progress(), nullptr);  // none supplied: the run goes on without one
    EXPECT_FALSE(m_writer.Cancelled());

    QString log;
    m_writer.SetProgressFactory([&]() { return std::make_unique<RecordedProgress>(log); });
    m_writer.OpenProgress(5);
    ASSERT_NE(m_writer.Progress(), nullptr);
    EXPECT_EQ(log, "position 0;title 帳票出力準備中;range 5;");
    static_cast<RecordedProgress*>(m_writer.Progress())->cancelled = true;
    EXPECT_TRUE(m_writer.Cancelled());
    m_writer.CloseProgress();
    EXPECT_EQ(m_writer.Progress(), nullptr);
}

}  // namespace
