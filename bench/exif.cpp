// Reading and writing the EXIF tags of a 12-megapixel camera-style JPEG. Reading must not decode the
// picture; writing puts the tags in place and replaces the file atomically, after checking that the file
// is a whole JPEG. Yardstick in the same run: the EXIF library rewriting the same tags of the same file in
// place (neither atomic nor checked); the program's write should take at most 1.1 times as long.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <exiv2/exiv2.hpp>
#include <random>

#include "fe/img/ExifInfo.h"
#include "fe/img/ExifSupport.h"

namespace {

struct Photo
{
    QTemporaryDir folder;
    QString path;
};

// A 4000 × 3000 photo with texture (noise over a gradient) so that it compresses like a camera picture.
const Photo& CameraPhoto()
{
    static Photo* photo = [] {
        static int argc = 1;
        static char name[] = "bench_exif";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        auto* made = new Photo;
        made->path = made->folder.filePath(QStringLiteral("DSC00001.JPG"));
        QImage image(4000, 3000, QImage::Format_RGB32);
        std::mt19937 random(7);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int n = int(random() % 48);
                row[x] = qRgb((x / 16 + n) & 0xFF, (y / 12 + n) & 0xFF, (x + y) / 28 & 0xFF);
            }
        }
        image.save(made->path, "JPEG", 92);
        ExifInfo info;
        info.m_latitude = 35.681236;
        info.m_longitude = 139.767125;
        info.m_direction = 123.45;
        info.m_dateTime = QStringLiteral("2024:05:06 07:08:09");
        info.m_orientation = 1;
        info.WriteFile(made->path);
        return made;
    }();
    return *photo;
}

void ExifRead(benchmark::State& state)
{
    const Photo& photo = CameraPhoto();
    for (auto _ : state) {
        ExifInfo info;
        benchmark::DoNotOptimize(info.ReadFile(photo.path));
    }
    state.counters["file_MB"] = double(QFileInfo(photo.path).size()) / 1e6;
}
BENCHMARK(ExifRead)->Unit(benchmark::kMillisecond);

void ExifWrite(benchmark::State& state)
{
    const Photo& photo = CameraPhoto();
    ExifInfo info;
    info.m_latitude = 35.0;
    info.m_longitude = 139.0;
    info.m_dateTime = QStringLiteral("2024:05:06 07:08:09");
    info.m_orientation = 1;
    int i = 0;
    for (auto _ : state) {
        info.m_direction = double(i++ % 360);
        if (!info.WriteFile(photo.path))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(ExifWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The yardstick: the EXIF library opens the file, sets the same tags and writes it back in place.
void ExifWriteLibraryInPlace(benchmark::State& state)
{
    const Photo& photo = CameraPhoto();
    fe::img::InitExifLibrary();
    int i = 0;
    for (auto _ : state) {
        auto image = Exiv2::ImageFactory::open(fe::img::ExifPath(photo.path));
        image->readMetadata();
        Exiv2::ExifData& exif = image->exifData();
        exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
        exif["Exif.GPSInfo.GPSLatitude"] = "35/1 0/1 0/1000";
        exif["Exif.GPSInfo.GPSLongitudeRef"] = "E";
        exif["Exif.GPSInfo.GPSLongitude"] = "139/1 0/1 0/1000";
        exif["Exif.GPSInfo.GPSImgDirectionRef"] = "T";
        exif["Exif.GPSInfo.GPSImgDirection"] = Exiv2::Rational(100 * (i++ % 360), 100);
        exif["Exif.Photo.DateTimeOriginal"] = "2024:05:06 07:08:09";
        exif["Exif.Image.Orientation"] = uint16_t(1);
        image->writeMetadata();
    }
}
BENCHMARK(ExifWriteLibraryInPlace)->Unit(benchmark::kMillisecond)->UseRealTime();

// For comparison: what a full decode of the same photo costs.
void FullDecode(benchmark::State& state)
{
    const Photo& photo = CameraPhoto();
    for (auto _ : state) {
        QImageReader reader(photo.path);
        reader.setAllocationLimit(1024);
        benchmark::DoNotOptimize(reader.read());
    }
}
BENCHMARK(FullDecode)->Unit(benchmark::kMillisecond);

}  // namespace
