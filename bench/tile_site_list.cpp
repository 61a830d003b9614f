// Reading a TileSiteList.txt whose one line holds n characters of "}{" (a damaged or hostile file):
// every pair opens and closes an empty record, so the reader walks the line record by record.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "fe/AppFolders.h"
#include "model/AppSettings.h"

namespace {

void BM_TileSiteListOfBraces(benchmark::State& state)
{
    QTemporaryDir folder;
    fe::SetWritableFolder(folder.path() + "/");
    const QString path = folder.path() + "/TileSiteList.txt";
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("{" + QByteArray("}{").repeated(static_cast<qsizetype>(state.range(0) / 2)) + "\n");
    file.close();
    AppSettings settings;
    for (auto _ : state) {
        settings.MergeTileSiteList(path);
        benchmark::DoNotOptimize(settings.tileSites.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TileSiteListOfBraces)
    ->RangeMultiplier(4)
    ->Range(1 << 15, 1 << 21)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
