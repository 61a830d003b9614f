// Opening the reservoir survey dialog on a map of 1,000 placed photos against one of 20 in the same run.
// The photo grid loads thumbnails only for the rows in view, so the two should cost nearly the same: the
// rows' texts are the only work that grows with the map. Each run builds the dialog, shows it and lets
// its first paint happen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "app/doc/TavrelDoc.h"
#include "app/reservoir/ReservoirPhotoDlg.h"
#include "model/AppSettings.h"

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_survey_dialog";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

QByteArray Jpeg(int width, int height, int shade)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(shade % 256, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(picture);
    return bytes;
}

// A saved project with `photos` photos (each with its photo file and small thumbnail) all placed on its
// one map.
struct Site
{
    QTemporaryDir folder;
    CTavrelDoc doc;
    AppSettings settings;

    explicit Site(int photos)
    {
        doc.appSettings = &settings;
        (void)doc.Change(ProjectChange::Photos, [&](Project& project) {
            (void)project.CreateNew(QStringLiteral("現場"), folder.path());
            const QByteArray photo = Jpeg(640, 480, 90);
            const QByteArray thumb = Jpeg(64, 48, 90);
            LocationMap map;
            map.name = QStringLiteral("堤");
            map.id = project.maps.nextId++;
            for (int k = 0; k < photos; ++k) {
                PhotoRecord record(project.photos.nextId++);
                record.date = QStringLiteral("2024/06/01");
                record.time = QStringLiteral("10:%1:00").arg(k % 60, 2, 10, QLatin1Char('0'));
                for (const QString& path : {project.PhotoFolder() + record.FileName(),
                                            project.ThumbFolderS() + record.FileName()}) {
                    QFile file(path);
                    if (file.open(QIODevice::WriteOnly))
                        file.write(path.startsWith(project.PhotoFolder()) ? photo : thumb);
                }
                project.photos.photos.push_back(record);
                PlacedPhoto entry;
                entry.photoId = record.id;
                entry.numberText = QStringLiteral("P%1").arg(k + 1);
                entry.comment = QStringLiteral("法面の変状 %1\n詳細").arg(k + 1);
                map.photos.entries.push_back(entry);
            }
            project.maps.maps.push_back(map);
            return true;
        });
    }
};

Site& SiteOf(int photos)
{
    static std::map<int, std::unique_ptr<Site>> sites;
    auto& site = sites[photos];
    if (!site)
        site = std::make_unique<Site>(photos);
    return *site;
}

void BM_OpenSurveyDialog(benchmark::State& state)
{
    App();
    Site& site = SiteOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        app::CReservoirPhotoDlg dialog(site.doc, 0);
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.LoadedLast());
        state.counters["loadedRows"] = dialog.LoadedLast() - dialog.LoadedFirst() + 1;
    }
}
BENCHMARK(BM_OpenSurveyDialog)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
