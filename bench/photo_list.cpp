// The photo list workbook of a project of 5,000 photos (stored as 640 × 480 JPEGs), standard quality,
// against zipping the same parts with libzip alone (pictures stored, XML deflated, flushed to disk), as
// the workbook library's own benchmark measures it. One run gives the whole export, the share of it the
// writer spent making the photos' pictures (reading, reducing and saving each one: its own timer, taken
// in the same export), and the export without that picture making, each beside the plain zip.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <vector>

#include "model/Project.h"
#include "report/PhotoListReport.h"
#include "report/ProjectPhotoSource.h"
#include "xlsx/ZipPackage.h"

namespace {

constexpr int kPhotos = 5000;

struct Fixture
{
    QTemporaryDir dir;
    Project project;

    Fixture()
    {
        project.folder = QDir(dir.path()).filePath(QStringLiteral("site")) + '/';
        project.name = QStringLiteral("site");
        QDir().mkpath(project.PhotoFolder());
        project.outputOptions.photoQuality = 0;
        for (int id = 1; id <= kPhotos; ++id) {
            PhotoRecord photo(id);
            photo.sourceName = QStringLiteral("DSC%1.JPG").arg(id);
            photo.position = fe::geo::GeoPoint(139.0 + id * 1e-5, 35.0 + id * 1e-5);
            photo.direction = id % 360;
            photo.date = QStringLiteral("2024/05/01");
            photo.time = QStringLiteral("09:00:00");
            project.photos.photos.push_back(photo);
            QImage image(640, 480, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(id * 7 % 360, 200, 200));
            for (int k = 0; k < 2000; ++k)
                image.setPixel((k * 37 + id * 11) % 640, (k * 53 + id * 7) % 480, qRgb(k % 256, id % 256, 255 - k % 256));
            image.save(project.PhotoFolder() + PhotoFileName(id), "JPEG", 85);
        }
        project.photos.nextId = kPhotos + 1;
    }
    QString Out() const { return dir.path(); }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Zips the parts of the written workbook again with libzip alone; seconds taken, or -1.
double ZipSameParts(const QString& book, const QString& out)
{
    std::vector<std::pair<std::string, std::string>> parts;
    xlsx::ZipReader reader;
    std::string error;
    if (!reader.Open(book.toStdString(), error))
        return -1;
    zip_t* source = zip_open(book.toStdString().c_str(), ZIP_RDONLY, nullptr);
    for (zip_int64_t i = 0; source && i < zip_get_num_entries(source, 0); ++i) {
        const std::string name = zip_get_name(source, i, 0);
        std::string data;
        reader.Read(name, data, error);
        parts.emplace_back(name, std::move(data));
    }
    if (source)
        zip_close(source);
    const std::string path = (out + "/plain.zip").toStdString();
    const auto start = std::chrono::steady_clock::now();
    std::remove(path.c_str());
    zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    for (const auto& [name, data] : parts) {
        zip_source_t* buffer = zip_source_buffer(z, data.data(), data.size(), 0);
        const zip_int64_t index = zip_file_add(z, name.c_str(), buffer, ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(z, index, name.rfind("xl/media/", 0) == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(z) != 0)
        return -1;
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0)
        return -1;
    ::close(fd);
    return Seconds(std::chrono::steady_clock::now() - start);
}

void BM_PhotoListOf5000Photos(benchmark::State& state)
{
    Fixture& f = Shared();
    ProjectPhotoSource photos(f.project);
    double exportTotal = 0, pictureTotal = 0, zipTotal = 0;
    int runs = 0;
    for (auto _ : state) {
        PhotoListReport writer(&f.project, &photos);
        writer.folder = f.Out();
        writer.fileName = QStringLiteral("list");
        const auto start = std::chrono::steady_clock::now();
        if (writer.WritePhotoList() != kListWritten) {
            state.SkipWithError("export failed");
            return;
        }
        const double exportSeconds = Seconds(std::chrono::steady_clock::now() - start);
        state.SetIterationTime(exportSeconds);
        const double pictures = Seconds(writer.PhotoPictureTime());
        const double zip = ZipSameParts(f.Out() + "/list.xlsx", f.Out());
        if (pictures <= 0 || zip <= 0) {
            state.SkipWithError("yardstick failed");
            return;
        }
        exportTotal += exportSeconds;
        pictureTotal += pictures;
        zipTotal += zip;
        ++runs;
    }
    state.counters["export_s"] = exportTotal / runs;
    state.counters["pictures_s"] = pictureTotal / runs;
    state.counters["without_pictures_s"] = (exportTotal - pictureTotal) / runs;
    state.counters["plain_zip_s"] = zipTotal / runs;
    state.counters["picture_share"] = pictureTotal / exportTotal;
    state.counters["export_to_zip"] = exportTotal / zipTotal;
    state.counters["without_pictures_to_zip"] = (exportTotal - pictureTotal) / zipTotal;
}
BENCHMARK(BM_PhotoListOf5000Photos)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(2);

}  // namespace
