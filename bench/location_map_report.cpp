// The location-map report of one picture map with 100 placed photos (3000 × 2000 JPEGs): the map sheet V
// and the photo ledger in layout V at the standard qualities, from the shipped template. The whole run
// gives with it the time the writer spent making the ledger's photo pictures (its own timer: reading,
// reducing and saving each photo) and their share; beside it the two picture steps alone: the 100 ledger
// photos rendered into their boxes, and the map picture. The rest of the whole run is the sheets and
// writing the package.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <chrono>

#include "fe/AppFolders.h"
#include "fe/img/Image.h"
#include "model/Project.h"
#include "report/LocationMapReport.h"
#include "view/locmap/ImageMaker.h"

namespace {

constexpr int kPhotos = 100;

struct Fixture
{
    QTemporaryDir dir;
    Project project;
    QString templatePath = LocationMapReport::DefaultTemplatePath();

    Fixture()
    {
        fe::SetWritableFolder(dir.path() + QStringLiteral("/writable/"));
        (void)project.CreateNew(QStringLiteral("bench"), dir.path());
        project.outputOptions.outputCover = 0;
        project.outputOptions.outputPhotoList = 0;
        project.outputOptions.photoQuality = 0;
        project.outputOptions.mapQuality = 0;
        project.outputOptions.ledgerLayout = 0;
        LocationMap map = project.maps.MakeNewMap();
        map.kind = LocationMap::kPicture;
        map.name = QStringLiteral("bench");
        map.pictureFormat = 0;
        map.pictureWidth = 4000;
        map.pictureHeight = 3000;
        map.frame.rectA = Rect2(0, 0, 4000, 3000);
        for (int k = 1; k <= kPhotos; ++k) {
            PhotoRecord photo(k);
            photo.date = QStringLiteral("2024/05/01");
            photo.time = QStringLiteral("10:00:00");
            project.photos.photos.push_back(photo);
            QImage image(3000, 2000, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(k * 37 % 360, 120, 200));
            QPainter(&image).drawText(200, 200, QString::number(k));
            image.save(project.PhotoFolder() + PhotoFileName(k), "JPEG", 90);
            PlacedPhoto entry;
            entry.photoId = k;
            entry.x = 30.0 * k;
            entry.y = 20.0 * k;
            entry.direction = k * 10 % 360;
            entry.numberText = QStringLiteral("No.%1").arg(k);
            entry.comment = QStringLiteral("護岸の状況を上流側から撮影した。");
            map.photos.entries.push_back(entry);
        }
        project.maps.Append(map);
        QImage plan(4000, 3000, QImage::Format_RGB32);
        plan.fill(Qt::white);
        QPainter(&plan).drawRect(400, 400, 3200, 2200);
        plan.save(project.MapFolder() + project.maps.maps[0].ImageFileName(), "JPEG", 90);
    }
};

Fixture& Shared()
{
    // Drawing text needs the GUI application; the offscreen platform needs no display.
    static int argc = 1;
    static char name[] = "bench_location_map_report";
    static char* argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    (void)offscreen;
    static Fixture fixture;
    return fixture;
}

void BM_WholeReport(benchmark::State& state)
{
    Fixture& f = Shared();
    double whole = 0, pictures = 0;
    for (auto _ : state) {
        LocationMapReport report(f.project, f.templatePath);
        const auto start = std::chrono::steady_clock::now();
        if (report.Run(f.project.DatedExcelFolder()) != LocationMapReport::kDone) {
            state.SkipWithError("the report failed");
            return;
        }
        whole += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        pictures += std::chrono::duration<double, std::milli>(report.PhotoPictureTime()).count();
    }
    const double runs = double(state.iterations());
    state.counters["photo_pictures_ms"] = pictures / runs;
    state.counters["without_photo_pictures_ms"] = (whole - pictures) / runs;
    state.counters["photo_picture_share"] = pictures / whole;
}
BENCHMARK(BM_WholeReport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LedgerPhotoPictures(benchmark::State& state)
{
    Fixture& f = Shared();
    LocationMapReport report(f.project, f.templatePath);
    for (auto _ : state) {
        for (const PlacedPhoto& entry : f.project.maps.maps[0].photos.entries) {
            QImage image;
            double x = 0, y = 0, w = 0, h = 0;
            benchmark::DoNotOptimize(report.RenderPlacedPhoto(image, entry, QSize(445, 330), x, y, w, h));
        }
    }
}
BENCHMARK(BM_LedgerPhotoPictures)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MapPicture(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        fe::img::Image picture;
        picture.Create(691, 600);
        locmap::ImageMaker maker;
        benchmark::DoNotOptimize(maker.RenderImageMap(picture, f.project, 0, 1.0));
    }
}
BENCHMARK(BM_MapPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
