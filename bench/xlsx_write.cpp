// Writing a workbook of 20 sheets with 200 JPEG pictures (320 × 240) and 4,000 text cells, against
// zipping the same parts with libzip alone (same compression per part: pictures stored, XML deflated).
//
// Both sides end the same way: they write a temporary file in the target folder, rename it over the
// target (libzip does so by itself) and flush the file to disk (the workbook before the rename, the
// plain zip after it), since a saved workbook must survive a crash. The plain zip takes every part
// from memory; the workbook reads each picture from its file when it is placed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "xlsx/Book.h"
#include "xlsx/ZipPackage.h"

namespace {

struct Fixture
{
    QTemporaryDir dir;
    std::vector<std::string> pictures;
    std::vector<std::pair<std::string, std::string>> parts;  // of the written workbook

    Fixture()
    {
        for (int i = 0; i < 200; ++i) {
            QImage image(320, 240, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(i * 7 % 360, 200, 200));
            // A pattern of its own in every picture, so that no two are stored as one.
            for (int k = 0; k < 2000; ++k)
                image.setPixel((k * 37 + i * 11) % 320, (k * 53 + i * 7) % 240,
                               qRgb(k % 256, i, 255 - k % 256));
            const QString path =
                QDir(dir.path()).filePath(QStringLiteral("p%1.jpg").arg(i, 6, 10, QChar('0')));
            image.save(path, "JPEG", 85);
            pictures.push_back(path.toStdString());
        }
    }

    std::string Out(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

std::string Reference(char column, int row)
{
    std::string text(1, column);
    text += std::to_string(row);
    return text;
}

bool WriteBook(const Fixture& f, const std::string& path)
{
    xlsx::Book book;
    if (!book.StartCreate(2013))
        return false;
    for (int s = 0; s < 20; ++s) {
        if (!book.PageBegin("写真" + std::to_string(s + 1), "1"))
            return false;
        for (int r = 1; r <= 200; ++r) {
            book.Cell(Reference('B', r));
            book.PutValueString("写真番号 " + std::to_string(s * 200 + r) + " 工種・種別・細別");
        }
        for (int p = 0; p < 10; ++p) {
            book.Cell(Reference('D', p * 20 + 1));
            book.DrawingAddImage(f.pictures[s * 10 + p], 0, 0, 0, 0, 84.7, 63.5);
        }
        book.PageEnd();
    }
    return book.OutFile(path, -1) != 0;
}

void BM_WriteWorkbook(benchmark::State& state)
{
    const Fixture& f = Shared();
    for (auto _ : state) {
        if (!WriteBook(f, f.Out("book.xlsx")))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteWorkbook)->Unit(benchmark::kMillisecond);

void BM_ZipSamePartsWithLibzip(benchmark::State& state)
{
    Fixture& f = Shared();
    if (f.parts.empty()) {
        WriteBook(f, f.Out("book.xlsx"));
        xlsx::ZipReader reader;
        std::string error;
        reader.Open(f.Out("book.xlsx"), error);
        zip_t* z = zip_open(f.Out("book.xlsx").c_str(), ZIP_RDONLY, nullptr);
        for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
            const std::string name = zip_get_name(z, i, 0);
            std::string data;
            reader.Read(name, data, error);
            f.parts.emplace_back(name, std::move(data));
        }
        zip_close(z);
    }
    for (auto _ : state) {
        const std::string path = f.Out("plain.zip");
        std::remove(path.c_str());
        zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
        for (const auto& [name, data] : f.parts) {
            zip_source_t* source = zip_source_buffer(z, data.data(), data.size(), 0);
            const zip_int64_t index = zip_file_add(z, name.c_str(), source, ZIP_FL_ENC_UTF_8);
            const bool picture = name.rfind("xl/media/", 0) == 0;
            zip_set_file_compression(z, index, picture ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
        }
        if (zip_close(z) != 0)
            state.SkipWithError("zip failed");
        const int fd = ::open(path.c_str(), O_RDONLY);
        if (fd < 0 || ::fsync(fd) != 0)
            state.SkipWithError("sync failed");
        if (fd >= 0)
            ::close(fd);
    }
}
BENCHMARK(BM_ZipSamePartsWithLibzip)->Unit(benchmark::kMillisecond);

}  // namespace
