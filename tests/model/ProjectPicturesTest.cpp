#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QTransform>
#include <QtEndian>

#include "DamagedJpeg.h"
#include "FileBytes.h"
#include "PeakRss.h"
#include "TempFolder.h"
#include "fe/img/Image.h"
#include "model/Project.h"

namespace {

// The header of a 24-bit BMP claiming the size, followed by a few bytes of pixels.
QByteArray BmpClaiming(int width, int height)
{
    QByteArray bmp("BM", 2);
    const auto put32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        bmp.append(b, 4);
    };
    const auto put16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        bmp.append(b, 2);
    };
    put32(54 + 16);
    put32(0);
    put32(54);
    put32(40);
    put32(quint32(width));
    put32(quint32(height));
    put16(1);
    put16(24);
    for (int i = 0; i < 6; ++i)
        put32(0);
    return bmp + QByteArray(16, '\x7F');
}

struct PictureProject
{
    TempFolder parent;
    Project project;

    PictureProject()
    {
        EXPECT_EQ(project.CreateNew(QStringLiteral("p"), parent.path()), 0);
        project.photos.photos.emplace_back(1);
    }

    void SetPhoto(const QByteArray& bytes) { WriteAll(project.PhotoFolder() + PhotoFileName(1), bytes); }

    // A registered picture map whose stored picture holds the bytes.
    void AddMap(int pictureFormat, const QByteArray& bytes)
    {
        LocationMap map = project.maps.MakeNewMap();
        map.kind = 1;
        map.pictureFormat = pictureFormat;
        project.maps.Append(map);
        WriteAll(project.MapFolder() + project.maps.maps.back().ImageFileName(), bytes);
    }
};

}  // namespace

TEST(ProjectPictures, LargePhotosLoadWholeOrAtTheShownSizeWithoutRaisingQtsAllocationLimit)
{
    const int limitBefore = QImageReader::allocationLimit();
    PictureProject f;
    // 6000 × 6000 takes 144 MB as 32-bit pixels: more than Qt's readers allow by default.
    f.SetPhoto(damagedjpeg::Plain(6000, 6000));
    struct Case
    {
        QSize box, loaded;
    };
    const Case cases[] = {{{}, {6000, 6000}}, {{800, 600}, {600, 600}}, {{7000, 7000}, {6000, 6000}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box.width());
        fe::img::Image picture;
        ASSERT_TRUE(f.project.LoadPhotoImage(picture, 0, c.box));
        EXPECT_EQ(QSize(picture.Width(), picture.Height()), c.loaded);
        EXPECT_EQ(picture.Picture().format(), QImage::Format_RGB32);
        const std::uint32_t top = picture.Pixel(picture.Width() / 2, 0);  // the red top eighth
        EXPECT_GT(top >> 16, 150u);
        EXPECT_LT(top & 0xFFu, 100u);
    }
    EXPECT_EQ(QImageReader::allocationLimit(), limitBefore);
}

TEST(ProjectPictures, PicturesClaimingMorePixelsThanTheLimitAreRefusedFromTheirHeader)
{
    PictureProject f;
    fe::img::Image picture;
    f.SetPhoto(damagedjpeg::ClaimingSize(damagedjpeg::Plain(32, 32), 16000, 16000));
    EXPECT_FALSE(f.project.LoadPhotoImage(picture, 0));
    EXPECT_FALSE(f.project.LoadPhotoImage(picture, 0, QSize(320, 240)));
    EXPECT_TRUE(picture.IsNull());

    f.AddMap(4, BmpClaiming(20000, 20000));
    EXPECT_FALSE(f.project.LoadMapImage(picture, 0, QSize(800, 600)));
    f.AddMap(4, BmpClaiming(4, 4));
    ASSERT_TRUE(f.project.LoadMapImage(picture, 1));
    EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(4, 4));

    // A PNG map is read by Qt's reader, reduced to the box.
    QImage plan(1200, 900, QImage::Format_RGB32);
    plan.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(plan.save(&buffer, "PNG"));
    f.AddMap(1, png);
    ASSERT_TRUE(f.project.LoadMapImage(picture, 2, QSize(400, 400)));
    EXPECT_EQ(QSize(picture.Width(), picture.Height()), QSize(400, 300));
    EXPECT_EQ(picture.Pixel(200, 150), QColor(Qt::darkGreen).rgb() & 0xFFFFFFu);
}

// A photo in a received project's folder whose data ends long before the pixels its header claims: it is
// refused whatever it is read for, before the memory of the claimed size is taken; a truncated photo is
// refused too, while a whole photo with a harmless flaw still shows.
TEST(ProjectPictures, APhotoWhoseDataEndsBeforeItsPixelsIsRefused)
{
    PictureProject f;
    fe::img::Image picture;
    const QByteArray good = damagedjpeg::Plain(640, 480);
    struct Case
    {
        const char* what;
        QByteArray bytes;
        bool shown;
    };
    const Case cases[] = {
        {"1 KB claiming 8192 x 8192", damagedjpeg::ClaimingSize(damagedjpeg::Plain(32, 32), 8192, 8192), false},
        {"1 KB claiming 4000 x 3000", damagedjpeg::ClaimingSize(damagedjpeg::Plain(32, 32), 4000, 3000), false},
        {"cut short", good.left(good.size() * 2 / 3), false},
        {"cut short, end marker appended", damagedjpeg::TruncatedWithEnd(good), false},
        {"stray bytes", damagedjpeg::WithStrayBytes(good), true},
        {"whole", good, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f.SetPhoto(c.bytes);
        for (const QSize box : {QSize(), QSize(4096, 4096), QSize(160, 120)})
            EXPECT_EQ(f.project.LoadPhotoImage(picture, 0, box), c.shown) << box.width();
    }
}

TEST(ProjectPictures, APhotoClaiming8192SquareIn1KBStaysWithinItsMemory)
{
    PictureProject f;
    f.SetPhoto(damagedjpeg::ClaimingSize(damagedjpeg::Plain(32, 32), 8192, 8192));
    peak_rss::ExpectPeakBelow("ProjectPictures.DISABLED_LoadTheProjectPhotoGiven", f.project.folder, 300);
}

TEST(ProjectPictures, DISABLED_LoadTheProjectPhotoGiven)
{
    peak_rss::RunAsChild([](const QString& folder) {
        Project project;
        project.name = QStringLiteral("p");
        project.folder = folder;
        project.photos.photos.emplace_back(1);
        fe::img::Image picture;
        if (project.LoadPhotoImage(picture, 0)) {
            // Shown with a quarter turn, as the program shows it.
            const QImage turned = picture.Picture().transformed(QTransform().rotate(90));
            EXPECT_FALSE(turned.isNull());
        }
    });
}
