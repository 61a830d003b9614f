// Importing 12-megapixel camera JPEGs into a project: per photo the byte copy, the EXIF read and the
// three thumbnails from one reduced decode. Measured against its two unavoidable parts, one decode
// reduced to 320 × 240 and one file copy, in the same run. Peak memory is reported after the first
// photos and after all of them: it must not grow with the number of photos.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <filesystem>
#include <random>

#include "fe/img/ExifInfo.h"
#include "model/Project.h"

namespace {

constexpr int kPhotos = 50;

struct Camera
{
    QTemporaryDir folder;
    QStringList photos;
};

// 50 photos of 4000 × 3000 with texture (noise over a gradient), so they compress like camera pictures,
// each with the EXIF tags a GNSS camera writes.
const Camera& CameraCard()
{
    static Camera* camera = [] {
        static int argc = 1;
        static char name[] = "bench_photo_import";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        auto* made = new Camera;
        QImage image(4000, 3000, QImage::Format_RGB32);
        std::mt19937 random(11);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int n = int(random() % 48);
                row[x] = qRgb((x / 16 + n) & 0xFF, (y / 12 + n) & 0xFF, (x + y) / 28 & 0xFF);
            }
        }
        const QString first = made->folder.filePath(QStringLiteral("DSC00001.JPG"));
        image.save(first, "JPEG", 92);
        ExifInfo info;
        info.m_latitude = 35.681236;
        info.m_longitude = 139.767125;
        info.m_direction = 123.45;
        info.m_dateTime = QStringLiteral("2024:05:06 07:08:09");
        info.m_orientation = 6;
        info.WriteFile(first);
        made->photos.append(first);
        for (int i = 2; i <= kPhotos; ++i) {
            const QString path =
                made->folder.filePath(QStringLiteral("DSC%1.JPG").arg(i, 5, 10, QLatin1Char('0')));
            QFile::copy(first, path);
            made->photos.append(path);
        }
        return made;
    }();
    return *camera;
}

struct ProjectFolder
{
    QTemporaryDir parent;
    Project project;

    ProjectFolder()
    {
        project.name = QStringLiteral("bench");
        project.folder = parent.filePath(QStringLiteral("bench/"));
        for (const QString& folder :
             {project.PhotoFolder(), project.ThumbFolderS(), project.ThumbFolderM(), project.ThumbFolderL()})
            QDir().mkpath(folder);
        project.importSettings.skipSameName = 0;
    }
};

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The whole import of 50 photos; the time per photo is the reported time divided by 50 (or the
// inverse of photos_per_s, which counts CPU time).
void ImportFiftyPhotos(benchmark::State& state)
{
    const Camera& camera = CameraCard();
    long afterFive = 0, afterAll = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<ProjectFolder>();
        state.ResumeTiming();
        for (int i = 0; i < kPhotos; ++i) {
            if (!folder->project.ImportPhoto(camera.photos[i]))
                state.SkipWithError("a photo was refused");
            if (i == 4)
                afterFive = PeakKilobytes();
        }
        afterAll = PeakKilobytes();
        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
    }
    state.counters["photos_per_s"] =
        benchmark::Counter(double(kPhotos), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_kB_after_5"] = double(afterFive);
    state.counters["peak_kB_after_50"] = double(afterAll);
}
BENCHMARK(ImportFiftyPhotos)->Unit(benchmark::kMillisecond)->Iterations(3);

// One decode of a photo reduced to 320 × 240 (the decoder's own scaling).
void ScaledDecode320(benchmark::State& state)
{
    const Camera& camera = CameraCard();
    for (auto _ : state) {
        QImageReader reader(camera.photos[0]);
        reader.setAutoTransform(false);
        reader.setScaledSize(QSize(320, 240));
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(ScaledDecode320)->Unit(benchmark::kMillisecond);

// One byte copy of a photo.
void CopyPhotoFile(benchmark::State& state)
{
    const Camera& camera = CameraCard();
    QTemporaryDir target;
    const std::filesystem::path to = (target.path() + QStringLiteral("/p000001.jpg")).toStdString();
    for (auto _ : state)
        std::filesystem::copy_file(camera.photos[0].toStdString(), to,
                                   std::filesystem::copy_options::overwrite_existing);
}
BENCHMARK(CopyPhotoFile)->Unit(benchmark::kMillisecond);

}  // namespace
