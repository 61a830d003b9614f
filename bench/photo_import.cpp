// Importing 12-megapixel camera JPEGs into a project: per photo the byte copy with its flush, the EXIF read
// and the three thumbnails from one reduced decode.
//
// Yardsticks in the same run: vipsthumbnail making one 320 × 240 thumbnail of the same photo, net of its
// start-up, on one thread (skipped, and said so, when libvips-tools is not installed); one decode reduced to
// 320 × 240 and one file copy. The batch import on all cores is measured against the same batch on one
// thread. Each reports its wall time per photo and its CPU time per photo (a loaded machine stretches the
// first, waits for the disk included; the second is the work). The import's own peak memory is measured in a
// process of its own (this program started again with --import-peak), so that the pictures made for the
// benchmark do not hide it: for 5 and 50 photos, on one thread and on all cores; it must stay flat with the
// number of photos.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <random>
#include <thread>

#include "fe/img/ExifInfo.h"
#include "fe/img/ExifSupport.h"
#include "fe/img/JpegDecode.h"
#include "model/PhotoImport.h"
#include "model/PhotoImportBatch.h"
#include "model/Project.h"

namespace {

constexpr int kPhotos = 50;

QCoreApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_photo_import";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

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
        App();
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

// A "VmRSS" or "VmHWM" figure of this process in kB, or -1.
long StatusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field)) + 1).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Resets the process's peak resident size to its current size (Linux 4.0 and later).
bool ResetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// CPU time of this process (all its threads) or of its waited-for children, in seconds.
double CpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// threads 0: Project::ImportPhoto file by file, as a one-thread import; otherwise PhotoImportBatch.
bool ImportAll(Project& project, const QStringList& photos, int threads)
{
    bool all = true;
    if (threads == 0) {
        for (const QString& photo : photos)
            all = project.ImportPhoto(photo) && all;
        return all;
    }
    PhotoImportBatch batch(project, photos, threads);
    while (!batch.AtEnd())
        all = batch.ImportNext() && all;
    return all;
}

// The whole import of 50 photos, timed by the wall clock; ms_per_photo is the figure to hold against
// the yardsticks.
void ImportFiftyPhotos(benchmark::State& state, int threads)
{
    const Camera& camera = CameraCard();
    double seconds = 0, cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<ProjectFolder>();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = CpuSeconds(RUSAGE_SELF);
        if (!ImportAll(folder->project, camera.photos, threads))
            state.SkipWithError("a photo was refused");
        seconds += double(timer.nsecsElapsed()) / 1e9;
        cpu += CpuSeconds(RUSAGE_SELF) - cpuBefore;
        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
    }
    state.counters["ms_per_photo"] = seconds * 1000.0 / double(state.iterations() * kPhotos);
    state.counters["cpu_ms_per_photo"] = cpu * 1000.0 / double(state.iterations() * kPhotos);
    state.counters["cores"] = double(std::thread::hardware_concurrency());
}
BENCHMARK_CAPTURE(ImportFiftyPhotos, one_thread, 0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(ImportFiftyPhotos, batch_one_worker, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(ImportFiftyPhotos, batch_all_cores, int(std::max(1u, std::thread::hardware_concurrency())))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// Runs vipsthumbnail on the files with one thread of evaluation; the wall time in seconds, or a negative
// number when it fails.
double RunVipsThumbnail(const QString& program, const QStringList& files, const QString& outFolder)
{
    QProcess vips;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VIPS_CONCURRENCY"), QStringLiteral("1"));
    vips.setProcessEnvironment(environment);
    QStringList arguments = files;
    arguments << QStringLiteral("--size=320x240") << QStringLiteral("--output=") + outFolder + "/%s.jpg";
    QElapsedTimer timer;
    timer.start();
    vips.start(program, arguments);
    if (!vips.waitForFinished(600000) || vips.exitStatus() != QProcess::NormalExit || vips.exitCode() != 0)
        return -1.0;
    return double(timer.nsecsElapsed()) / 1e9;
}

// vipsthumbnail making one 320 × 240 thumbnail of each of the 50 photos in one process, less the same
// program's run on one tiny JPEG (its start-up): the time per photo, net of start-up.
void VipsThumbnailYardstick(benchmark::State& state)
{
    const Camera& camera = CameraCard();
    const QString program = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    if (program.isEmpty()) {
        state.SkipWithError("vipsthumbnail is not installed (Debian package libvips-tools): no yardstick");
        return;
    }
    QTemporaryDir out;
    const QString tiny = out.filePath(QStringLiteral("tiny.jpg"));
    QImage(8, 8, QImage::Format_RGB32).save(tiny, "JPEG");
    const QString thumbnails = out.filePath(QStringLiteral("thumbnails"));
    QDir().mkpath(thumbnails);
    double seconds = 0, cpu = 0;
    for (auto _ : state) {
        const double cpuBefore = CpuSeconds(RUSAGE_CHILDREN);
        const double startUp = RunVipsThumbnail(program, {tiny}, thumbnails);
        const double cpuAfterStartUp = CpuSeconds(RUSAGE_CHILDREN);
        const double all = RunVipsThumbnail(program, camera.photos, thumbnails);
        cpu += std::max(0.0, (CpuSeconds(RUSAGE_CHILDREN) - cpuAfterStartUp) - (cpuAfterStartUp - cpuBefore));
        if (startUp < 0 || all < 0) {
            state.SkipWithError("vipsthumbnail failed");
            return;
        }
        const double net = std::max(0.0, all - startUp);
        state.SetIterationTime(net);
        seconds += net;
    }
    state.counters["ms_per_photo"] = seconds * 1000.0 / double(state.iterations() * kPhotos);
    state.counters["cpu_ms_per_photo"] = cpu * 1000.0 / double(state.iterations() * kPhotos);
}
BENCHMARK(VipsThumbnailYardstick)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// One decode of a photo reduced to 320 × 240: the decoder's own 1/8 scaling, then smoothing.
void ScaledDecode320(benchmark::State& state)
{
    const Camera& camera = CameraCard();
    QByteArray bytes;
    fe::img::ReadPhotoBytes(camera.photos[0], bytes);
    for (auto _ : state) {
        QImage image;
        fe::img::DecodeJpeg(bytes, QSize(320, 240), image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(ScaledDecode320)->Unit(benchmark::kMillisecond);

// The same with Qt's JPEG reader, which decodes at a smaller reduction.
void ScaledDecode320Qt(benchmark::State& state)
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
BENCHMARK(ScaledDecode320Qt)->Unit(benchmark::kMillisecond);

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

// The import's own peak memory: this program started again with --import-peak imports the first
// `photos` files in a process of its own and prints its resident size before the import and its peak
// resident size during it.
void ImportPeakMemory(benchmark::State& state)
{
    const Camera& camera = CameraCard();
    const int photos = int(state.range(0));
    const int threads = int(state.range(1));
    long before = 0, after = 0;
    for (auto _ : state) {
        QProcess child;
        const QStringList arguments = QStringList{QStringLiteral("--import-peak"), QString::number(threads)} +
                                      camera.photos.mid(0, photos);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            state.SkipWithError("the import process failed");
            return;
        }
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 2) {
            state.SkipWithError("the import process gave no figures");
            return;
        }
        before = figures[0].toLong();
        after = figures[1].toLong();
    }
    state.counters["baseline_MB"] = double(before) / 1024.0;
    state.counters["import_peak_MB"] = double(after - before) / 1024.0;
    state.counters["per_worker_MB"] = double(after - before) / 1024.0 / std::max(1, threads);
}
BENCHMARK(ImportPeakMemory)
    ->ArgNames({"photos", "threads"})
    ->Args({5, 1})
    ->Args({50, 1})
    ->Args({5, int(std::max(1u, std::thread::hardware_concurrency()))})
    ->Args({50, int(std::max(1u, std::thread::hardware_concurrency()))})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The child of ImportPeakMemory: sets up what any import needs (the EXIF library, the JPEG writer) on a
// tiny photo, notes the resident size and resets the peak to it, imports the files and notes the peak.
int ImportPeakChild(int argc, char** argv)
{
    App();
    const int threads = std::atoi(argv[2]);
    QStringList files;
    for (int i = 3; i < argc; ++i)
        files.append(QString::fromLocal8Bit(argv[i]));
    {
        ProjectFolder warmUp;
        const QString tiny = warmUp.parent.filePath(QStringLiteral("tiny.jpg"));
        QImage(64, 48, QImage::Format_RGB32).save(tiny, "JPEG");
        warmUp.project.ImportPhoto(tiny);
    }
    ProjectFolder folder;
    const long before = StatusKilobytes("VmRSS:");
    if (!ResetPeak())
        return 1;
    if (!ImportAll(folder.project, files, threads))
        return 1;
    std::cout << before << ' ' << StatusKilobytes("VmHWM:") << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--import-peak") == 0)
        return ImportPeakChild(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
