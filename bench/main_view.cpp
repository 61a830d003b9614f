// One render pass of the main view showing a web location map with 100, 1,000 and 10,000 placed photos at
// 1920 x 1080, every tile in the memory cache; beside it the same view's tile drawing alone, the floor of
// the pass and the yardstick of the others.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <map>

#include "app/doc/TavrelDoc.h"
#include "app/view/TavrelView.h"
#include "fe/AppFolders.h"
#include "fe/geo/PhotoFit.h"
#include "fe/geo/TileIndex.h"
#include "model/AppSettings.h"
#include "model/LocationMap.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kZoom = 16;

struct Scene
{
    QTemporaryDir folder;
    AppSettings settings;
    CTavrelDoc document;
    std::unique_ptr<CTavrelView> view;
};

// The view of a web map with the given number of photos; one view for each number, made on first use.
Scene& TheScene(int photos)
{
    static int argc = 1;
    static char name[] = "bench_main_view";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    static std::map<int, Scene*> scenes;
    Scene*& scene = scenes[photos];
    if (scene == nullptr) {
        const int kPhotos = photos;
        auto* made = new Scene;
        fe::SetWritableFolder(made->folder.path());
        fe::geo::TileSite site;
        site.SetBuiltIn("/xyz/std", ".png", 2, 18, false, "標準地図");
        site.baseUrl = "http://127.0.0.1:1";
        made->settings.tileCacheFolder = made->folder.path() + "/geocache";
        made->settings.tileSites = {site, site, site};
        made->document.appSettings = &made->settings;

        // A web map of about 1.1 km x 0.8 km with the photos placed over it.
        const Rect2 box(139.7350, 35.6545, 139.7470, 35.6615);
        (void)made->document.Change(ProjectChange::Photos, [&](Project& project) {
            (void)project.CreateNew("bench", made->folder.path());
            (void)project.maps.AddWebMap(2, box, kZoom, false);
            LocationMap& map = project.maps.maps.front();
            for (int k = 0; k < kPhotos; ++k) {
                PhotoRecord photo(project.photos.nextId++);
                photo.position = fe::geo::GeoPoint(box.x0 + (box.x1 - box.x0) * ((k * 37) % 1009) / 1009.0,
                                                   box.y0 + (box.y1 - box.y0) * ((k * 91) % 997) / 997.0);
                photo.direction = (k * 13) % 360;
                project.photos.photos.push_back(photo);
                PlacedPhoto entry;
                entry.photoId = photo.id;
                entry.x = photo.position.longitude;
                entry.y = photo.position.latitude;
                entry.numberText = QString::number(k + 1);
                map.photos.entries.push_back(entry);
            }
            return true;
        });

        // Textured tiles on disk, drawn once so that all are in memory.
        const fe::geo::GeoPoint centre = fe::geo::MercatorCentre(box);
        const fe::geo::TileRange range = fe::geo::TileRangeAround(kZoom, centre, kWidth, kHeight);
        for (int x = range.x0; x <= range.x1; ++x) {
            for (int y = range.y0; y <= range.y1; ++y) {
                QImage tile(256, 256, QImage::Format_RGB32);
                for (int row = 0; row < 256; ++row)
                    for (int column = 0; column < 256; ++column)
                        tile.setPixel(column, row, qRgb((x * 37 + column) & 255, (y * 53 + row) & 255, 128));
                const QString path = QString("%1/_xyz_std/%2/%3/%4.png")
                                         .arg(made->settings.tileCacheFolder)
                                         .arg(kZoom)
                                         .arg(x)
                                         .arg(y);
                QDir().mkpath(QFileInfo(path).path());
                tile.save(path, "PNG");
            }
        }
        made->view = std::make_unique<CTavrelView>(&made->document);
        made->view->resize(kWidth, kHeight);
        made->view->show();
        QApplication::processEvents();
        made->view->SelectLocationMap(0);
        made->view->RenderView();
        scene = made;
    }
    return *scene;
}

void BM_RenderWebMap(benchmark::State& state)
{
    Scene& scene = TheScene(int(state.range(0)));
    for (auto _ : state) {
        scene.view->RenderView();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RenderWebMap)->ArgName("photos")->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_TilesOnly(benchmark::State& state)
{
    Scene& scene = TheScene(1000);
    fe::img::Image target;
    target.Create(kWidth, kHeight);
    for (auto _ : state) {
        scene.view->MapServer().DrawTilesToImage(target);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TilesOnly)->Unit(benchmark::kMillisecond);

}  // namespace
