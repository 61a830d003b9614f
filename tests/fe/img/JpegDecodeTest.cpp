#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>

#include "DamagedJpeg.h"
#include "TempFolder.h"
#include "fe/img/JpegDecode.h"

using fe::img::DecodeJpeg;
using fe::img::JpegDamage;

namespace {

bool IsRed(QRgb pixel)
{
    return qRed(pixel) > 150 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

bool IsBlue(QRgb pixel)
{
    return qBlue(pixel) > 150 && qRed(pixel) < 100;
}

}  // namespace

TEST(JpegDecode, DecodesAtTheAskedSizeFromTheDecodersOwnReduction)
{
    const QByteArray jpeg = damagedjpeg::Plain(800, 600);
    QSize size;
    ASSERT_TRUE(fe::img::ReadJpegSize(jpeg, size));
    EXPECT_EQ(size, QSize(800, 600));
    // Sizes that are a step of 1/8 come straight from the decoder; others are scaled from the next
    // larger step; an empty size is the whole picture; the decoder never enlarges, smoothing does.
    for (const QSize wanted : {QSize(800, 600), QSize(100, 75), QSize(320, 240), QSize(65, 48), QSize(1, 1),
                               QSize(1600, 1200), QSize()}) {
        SCOPED_TRACE(wanted.width());
        QImage picture;
        ASSERT_TRUE(DecodeJpeg(jpeg, wanted, picture));
        EXPECT_EQ(picture.size(), wanted.isEmpty() ? size : wanted);
        EXPECT_EQ(picture.format(), QImage::Format_RGB32);
        if (picture.height() >= 16) {
            EXPECT_TRUE(IsRed(picture.pixel(picture.width() / 2, 0)));
            EXPECT_TRUE(IsBlue(picture.pixel(picture.width() / 2, picture.height() - 1)));
            EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 255);
        }
    }
}

TEST(JpegDecode, DamagedAndHostileJpegsAreRefusedBeforeTheyCostMemory)
{
    const QByteArray plain = damagedjpeg::Plain(640, 480);
    struct Case
    {
        const char* name;
        QByteArray jpeg;
        bool sizeRead;  // the header alone passes
        bool shown;     // decoded when damage is shown as it is
    };
    const Case cases[] = {
        // 16000 × 16000 is above the pixel limit: refused from the header, nothing decoded.
        {"claims 256 MP", damagedjpeg::ClaimingSize(plain, 16000, 16000), false, false},
        {"claims 65535 × 65535", damagedjpeg::ClaimingSize(plain, 65535, 65535), false, false},
        {"claims 0 × 480", damagedjpeg::ClaimingSize(plain, 0, 480), false, false},
        // Below the limit, but the data ends long before the picture does: a premature end, refused
        // even when damage is shown.
        {"claims 144 MP", damagedjpeg::ClaimingSize(plain, 12000, 12000), true, false},
        {"claims 64 MP", damagedjpeg::ClaimingSize(plain, 8192, 8192), true, false},
        {"truncated, end marker appended", damagedjpeg::TruncatedWithEnd(plain), true, false},
        {"truncated", plain.left(plain.size() / 2), true, false},
        // A first harmless-looking warning must not hide a premature end after it when refusing; shown,
        // the decoder tells its first warning only.
        {"stray bytes, then truncated", damagedjpeg::TruncatedWithEnd(damagedjpeg::WithStrayBytes(plain)),
         true, true},
        {"header only", plain.left(plain.indexOf(QByteArrayView("\xFF\xDA", 2))), false, false},
        {"not a JPEG", QByteArray("\x89PNG\r\n\x1A\n and more", 18), false, false},
        {"empty", QByteArray(), false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QSize size;
        EXPECT_EQ(fe::img::ReadJpegSize(c.jpeg, size), c.sizeRead);
        QImage picture;
        EXPECT_FALSE(DecodeJpeg(c.jpeg, QSize(320, 240), picture, JpegDamage::kRefuse));
        EXPECT_TRUE(picture.isNull());
        EXPECT_EQ(DecodeJpeg(c.jpeg, QSize(320, 240), picture, JpegDamage::kShowWhatIsThere), c.shown);
        EXPECT_EQ(picture.size(), c.shown ? QSize(320, 240) : QSize(0, 0));
    }
    // An asked size above the limit is refused as well.
    QImage picture;
    EXPECT_FALSE(DecodeJpeg(plain, QSize(20000, 20000), picture, JpegDamage::kShowWhatIsThere));
}

TEST(JpegDecode, GreyAndCmykJpegsDecodeAsQtsReaderShowsThem)
{
    QImage grey(64, 48, QImage::Format_Grayscale8);
    grey.fill(90);
    QByteArray greyJpeg;
    QBuffer buffer(&greyJpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&buffer, "jpeg").write(grey));
    QImage picture;
    ASSERT_TRUE(DecodeJpeg(greyJpeg, QSize(), picture));
    EXPECT_NEAR(qRed(picture.pixel(10, 10)), 90, 2);
    EXPECT_EQ(qRed(picture.pixel(10, 10)), qBlue(picture.pixel(10, 10)));

    // CMYK JPEGs (as print programs save them) are made with Pillow; Qt's own reader is the judge.
    TempFolder temp;
    const QString cmykPath = temp.file(QStringLiteral("cmyk.jpg"));
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys\nfrom PIL import Image\n"
                                 "Image.new('CMYK', (64, 48), (20, 200, 120, 30))"
                                 ".save(sys.argv[1], quality=95)"),
                  cmykPath});
    ASSERT_TRUE(python.waitForFinished(60000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    QFile file(cmykPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray cmykJpeg = file.readAll();
    QImage expected;
    QBuffer cmykBuffer;
    cmykBuffer.setData(cmykJpeg);
    ASSERT_TRUE(QImageReader(&cmykBuffer, "jpeg").read(&expected));
    ASSERT_TRUE(DecodeJpeg(cmykJpeg, QSize(), picture));
    const QRgb want = expected.pixel(32, 24), got = picture.pixel(32, 24);
    EXPECT_NEAR(qRed(got), qRed(want), 3);
    EXPECT_NEAR(qGreen(got), qGreen(want), 3);
    EXPECT_NEAR(qBlue(got), qBlue(want), 3);
}

TEST(JpegDecode, TheShownSizeFitsTheBoxWithoutEnlarging)
{
    struct Case
    {
        QSize picture, box, shown;
    };
    const Case cases[] = {
        {{4000, 3000}, {800, 800}, {800, 600}}, {{3000, 4000}, {800, 800}, {600, 800}},
        {{640, 480}, {800, 800}, {640, 480}},   {{4000, 3000}, {}, {4000, 3000}},
        {{60000, 10}, {100, 100}, {100, 1}},    {{4000, 3000}, {0, 600}, {4000, 3000}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fe::img::SizeShownIn(c.picture, c.box), c.shown)
            << c.picture.width() << " " << c.box.width();
}
