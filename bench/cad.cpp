// Writing speed of the CAD and shapefile outputs: a DXF drawing of 10,000 photo marks (circle,
// arrow polyline and number text each) against as many bytes written the same way (new file, flushed,
// renamed), and a shapefile set of 10,000 points.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "SameWayWrite.h"
#include "cad/Document.h"
#include "cad/Dxf.h"
#include "cad/Figures.h"
#include "cad/PhotoPositionShapefiles.h"
#include "cad/ShapeData.h"
#include "fe/AtomicSave.h"

namespace {

constexpr int kMarks = 10000;

std::unique_ptr<fe::cad::Document> PhotoMarks()
{
    using namespace fe::cad;
    auto doc = std::make_unique<Document>();
    doc->AddLayer(QString::fromUtf8("写真位置"), 1);
    doc->AddLayer(QString::fromUtf8("写真番号"), 5);
    for (int i = 0; i < kMarks; ++i) {
        const double x = 1000.0 + (i % 100) * 37.25;
        const double y = 2000.0 + (i / 100) * 41.5;
        const double a = i * 0.01;
        auto circle = std::make_unique<FigCircle>();
        circle->cx = x;
        circle->cy = y;
        circle->radius = 2.5;
        doc->AddToLayer(std::move(circle), QString::fromUtf8("写真位置"));
        auto arrow = std::make_unique<FigLWPolyline>();
        const Point2 dir(std::cos(a), std::sin(a));
        const Point2 base = Point2(x, y) + dir.Scale(2.5);
        const Point2 tip = base + dir.Scale(8);
        arrow->points = {tip + dir.Rotate(2.88).Scale(3), tip, tip + dir.Rotate(-2.88).Scale(3), tip, base};
        doc->AddToLayer(std::move(arrow), QString::fromUtf8("写真位置"));
        auto number = std::make_unique<FigText>();
        number->text = QString::number(i + 1);
        number->alignPoint1 = number->alignPoint2 = number->position = {x + 3, y + 3};
        number->height = 3.5;
        number->horizontalAlign = 1;
        number->verticalAlign = 2;
        doc->AddToLayer(std::move(number), QString::fromUtf8("写真番号"));
    }
    doc->header.extents = doc->Extents();
    return doc;
}

fe::cad::DxfWriter PhotoWriter()
{
    fe::cad::DxfWriter writer;
    writer.Reset();
    writer.version = 6;
    writer.nextHandle = 11;
    writer.textMode = 2;
    return writer;
}

std::size_t DrawingSize(const fe::cad::Document& doc)
{
    std::string bytes;
    fe::cad::DxfWriter writer = PhotoWriter();
    writer.Write(doc, bytes, false);
    return bytes.size();
}

void BM_DxfRenderInMemory(benchmark::State& state)
{
    const auto doc = PhotoMarks();
    std::string bytes;
    for (auto _ : state) {
        fe::cad::DxfWriter writer = PhotoWriter();
        writer.Write(*doc, bytes, false);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_DxfRenderInMemory)->Unit(benchmark::kMillisecond);

void BM_DxfPhotoMarksFile(benchmark::State& state)
{
    const auto doc = PhotoMarks();
    QTemporaryDir folder;
    const QString path = folder.filePath("marks.dxf");
    for (auto _ : state) {
        fe::cad::DxfWriter writer = PhotoWriter();
        fe::cad::WriteDxfFile(writer, *doc, path);
    }
    state.counters["bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_DxfPhotoMarksFile)->Unit(benchmark::kMillisecond);

// The yardstick: the drawing's number of bytes as a new file, flushed and renamed over the old one.
void BM_SameBytesNewFlushedRenamed(benchmark::State& state)
{
    const std::string bytes(DrawingSize(*PhotoMarks()), 'x');
    QTemporaryDir folder;
    const QString path = folder.filePath("plain.dxf");
    for (auto _ : state) {
        if (!WriteNewFlushedRenamed(path, bytes.data(), bytes.size()))
            state.SkipWithError("write failed");
    }
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_SameBytesNewFlushedRenamed)->Unit(benchmark::kMillisecond);

// The drawing's number of bytes in one write through the save helper.
void BM_SameBytesOneAtomicWrite(benchmark::State& state)
{
    const QByteArray bytes(qsizetype(DrawingSize(*PhotoMarks())), 'x');
    QTemporaryDir folder;
    const QString path = folder.filePath("plain.dxf");
    for (auto _ : state) {
        if (!fe::SaveBytesAtomically(path, bytes))
            state.SkipWithError("save failed");
    }
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_SameBytesOneAtomicWrite)->Unit(benchmark::kMillisecond);

// The same bytes in one buffered C stream write over the old file in place, without the flush to disk.
void BM_SameBytesOneBufferedWrite(benchmark::State& state)
{
    const std::string bytes(DrawingSize(*PhotoMarks()), 'x');
    QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath("plain.dxf"));
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.constData(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_SameBytesOneBufferedWrite)->Unit(benchmark::kMillisecond);

void BM_ShapefilePoints(benchmark::State& state)
{
    fe::ShapeData source;
    AddPhotoPositionFields(source);
    for (int i = 0; i < kMarks; ++i) {
        const double lon = 139.0 + i * 1e-5;
        const double lat = 35.0 + i * 1e-5;
        auto point = std::make_unique<fe::ShapePoint>(lon, lat);
        point->recordNumber = i + 1;
        auto& row = source.AddRecord(std::move(point));
        char text[32];
        row[0] = std::to_string(i + 1);
        std::snprintf(text, sizeof text, "%.7f", lon);
        row[1] = text;
        std::snprintf(text, sizeof text, "%.7f", lat);
        row[2] = text;
        row[3] = "123.4";
        row[4] = "2024/05/09";
        row[5] = "10:21:00";
    }
    QTemporaryDir folder;
    const QString path = folder.filePath("photos_point");
    for (auto _ : state) {
        fe::ShapeData prepared;
        prepared.PrepareFrom(source);
        if (!prepared.WriteSet(path) || !prepared.WritePrj(path))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_ShapefilePoints)->Unit(benchmark::kMillisecond);

}  // namespace
