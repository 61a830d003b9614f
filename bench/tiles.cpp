// Drawing a 1920 x 1080 web-map view whose tiles are all in the memory cache, against drawing the
// same tile pictures at the same places with plain QPainter::drawImage calls.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "fe/geo/MapDrawer.h"
#include "fe/geo/TileOrder.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kZoom = 15;

struct Scene
{
    QTemporaryDir folder;
    fe::geo::MapDrawer drawer;
    fe::geo::GeoPoint centre{139.74135441666667, 35.65809922222222};
    QImage target{kWidth, kHeight, QImage::Format_RGB32};
};

// Tiles with texture, stored on disk once and then drawn once so that all are in memory.
Scene& TheScene()
{
    static Scene* scene = [] {
        static int argc = 1;
        static char name[] = "bench_tiles";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
        auto* made = new Scene;
        fe::geo::TileSite site;
        site.SetBuiltIn("/xyz/std", ".png", 2, 18, false, "bench");
        site.baseUrl = "http://127.0.0.1:1";
        made->drawer.Server().Open(made->folder.path() + "/geocache", site, fe::geo::ProxySettings());
        const fe::geo::TileRange range = fe::geo::TileRangeAround(kZoom, made->centre, kWidth, kHeight);
        for (int x = range.x0; x <= range.x1; ++x) {
            for (int y = range.y0; y <= range.y1; ++y) {
                QImage tile(256, 256, QImage::Format_RGB32);
                for (int row = 0; row < 256; ++row)
                    for (int column = 0; column < 256; ++column)
                        tile.setPixel(column, row, qRgb((x * 37 + column) & 255, (y * 53 + row) & 255, 128));
                const fe::geo::TileIndex key(kZoom, x, y);
                const QString path = made->drawer.Server().TilePath(key);
                made->drawer.Server().MakeTileFolder(key);
                tile.save(path, "PNG");
            }
        }
        QPainter painter(&made->target);
        made->drawer.DrawTiles(painter, kZoom, made->centre, kWidth, kHeight);
        return made;
    }();
    return *scene;
}

void BM_DrawTilesFromMemory(benchmark::State& state)
{
    Scene& scene = TheScene();
    QPainter painter(&scene.target);
    for (auto _ : state) {
        scene.drawer.DrawTiles(painter, kZoom, scene.centre, kWidth, kHeight);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawTilesFromMemory)->Unit(benchmark::kMicrosecond);

void BM_PlainDrawImage(benchmark::State& state)
{
    Scene& scene = TheScene();
    std::vector<std::pair<QPoint, const QImage*>> tiles;
    fe::geo::TileViewport viewport;
    viewport.Set(kZoom, scene.centre, kWidth, kHeight);
    for (const QPoint& tile :
         fe::geo::OrderTilesCentreOut(fe::geo::TileRangeAround(kZoom, scene.centre, kWidth, kHeight))) {
        const fe::geo::TileIndex index(kZoom, tile.x(), tile.y());
        tiles.emplace_back(viewport.TileOrigin(index),
                           scene.drawer.Server().FindCachedTile(index.Normalized()));
    }
    QPainter painter(&scene.target);
    for (auto _ : state) {
        for (const auto& [origin, picture] : tiles)
            painter.drawImage(origin, *picture);
        benchmark::ClobberMemory();
    }
    state.counters["tiles"] = static_cast<double>(tiles.size());
}
BENCHMARK(BM_PlainDrawImage)->Unit(benchmark::kMicrosecond);

}  // namespace
