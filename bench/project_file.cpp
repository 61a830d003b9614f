// Saving and loading a large project (5,000 photos, 100 location maps of 50 placed photos each). The
// yardstick of the save is the same bytes written the same way (new file, flushed, renamed); a plain
// write over the old file in place and the same bytes through the save helper are shown beside it.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SameWayWrite.h"
#include "fe/AtomicSave.h"
#include "model/Project.h"
#include "model/ProjectFile.h"
#include "model/ProjectResult.h"

namespace {

constexpr int kPhotos = 5000;
constexpr int kMaps = 100;
constexpr int kPlacedPerMap = 50;

Project MakeLargeProject(const QString& folder)
{
    Project project;
    project.folder = folder + QLatin1Char('/');
    project.name = QStringLiteral("大規模現場");
    for (int k = 0; k < kPhotos; ++k) {
        PhotoRecord photo(project.photos.nextId++);
        photo.position = fe::geo::GeoPoint(135.0 + k * 1e-5, 34.0 + k * 1e-5);
        photo.direction = k % 360;
        photo.date = QStringLiteral("2021/05/01");
        photo.time = QStringLiteral("09:30:15");
        photo.sourceName = QStringLiteral("DSC%1.JPG").arg(k, 5, 10, QLatin1Char('0'));
        project.photos.photos.push_back(photo);
    }
    for (int m = 0; m < kMaps; ++m) {
        LocationMap map = project.maps.MakeNewMap();
        map.kind = LocationMap::kWebStandard;
        map.box = Rect2(135.0, 34.0, 135.1, 34.1);
        map.tileZoom = 17;
        for (int k = 0; k < kPlacedPerMap; ++k) {
            const PhotoRecord& photo = project.photos.photos[static_cast<size_t>(m * kPlacedPerMap + k)];
            PlacedPhoto entry;
            entry.photoId = photo.id;
            entry.x = photo.position.longitude;
            entry.y = photo.position.latitude;
            entry.direction = photo.direction;
            entry.frame = Rect2(0, 0, 4000, 3000);
            entry.numberText = QStringLiteral("P%1").arg(k + 1);
            entry.comment = QStringLiteral("舗装面のひび割れ\r\n幅 2mm 程度");
            map.photos.entries.push_back(entry);
        }
        project.maps.Append(map);
    }
    return project;
}

struct Fixture
{
    QTemporaryDir folder;
    Project project = MakeLargeProject(folder.path());
    QByteArray bytes;

    Fixture()
    {
        if (project.Save() != kProjectOk)
            std::abort();
        QFile file(project.ProjectFilePath());
        file.open(QIODevice::ReadOnly);
        bytes = file.readAll();
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void BM_SaveProject(benchmark::State& state)
{
    Fixture& fixture = Shared();
    for (auto _ : state) {
        if (fixture.project.Save() != kProjectOk)
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * fixture.bytes.size());
}

// The yardstick: the same bytes as a new file, flushed and renamed over the old one.
void BM_WriteBytesNewFlushedRenamed(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const QString path = QDir(fixture.folder.path()).filePath(QStringLiteral("sameway.bin"));
    for (auto _ : state) {
        if (!WriteNewFlushedRenamed(path, fixture.bytes.constData(), std::size_t(fixture.bytes.size())))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * fixture.bytes.size());
}

// The same bytes written over the old file in place, without flush or rename (on ext4 the truncation
// of the old file dominates this one).
void BM_WriteBytesPlain(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const QString path = QDir(fixture.folder.path()).filePath(QStringLiteral("plain.bin"));
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(fixture.bytes) != fixture.bytes.size())
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * fixture.bytes.size());
}

// The same bytes through the atomic replace every save of the program uses.
void BM_WriteBytesAtomically(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const QString path = QDir(fixture.folder.path()).filePath(QStringLiteral("atomic.bin"));
    for (auto _ : state) {
        if (!fe::SaveBytesAtomically(path, fixture.bytes))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * fixture.bytes.size());
}

void BM_LoadProject(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const QString path = fixture.project.ProjectFilePath();
    for (auto _ : state) {
        Project project;
        if (LoadProject(project, path) != kProjectOk)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(project);
    }
    state.SetBytesProcessed(state.iterations() * fixture.bytes.size());
}

}  // namespace

BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBytesNewFlushedRenamed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBytesPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBytesAtomically)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);
