// The written drawings as real CAD and GIS readers see them.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>

#include "DxfSample.h"
#include "ExternalReaders.h"
#include "TempFolder.h"

using namespace fe::cad;

namespace {

// The one repair ezdxf makes: the plot-style dictionary names handle 0 as its default.
const QString kAllowedFix = QStringLiteral("112: Created missing default object in ACDBDICTIONARYWDFLT");

QString WriteSample(const TempFolder& folder, int version)
{
    auto doc = MakeSampleDrawing();
    DxfWriter writer;
    writer.Reset();
    writer.version = version;
    writer.nextHandle = 11;
    writer.textMode = 2;
    const QString path = folder.file(QStringLiteral("写真位置_v%1.dxf").arg(version));
    WriteDxfFile(writer, *doc, path);
    return path;
}

struct ExpectedEntity
{
    const char* type;
    const char* layer;
    int colour;
    const char* text;
};

const ExpectedEntity kEntities[] = {
    {"CIRCLE", "写真位置", 256, nullptr},
    {"LWPOLYLINE", "写真位置", 3, nullptr},
    {"LINE", "写真位置", 256, nullptr},
    {"POLYLINE", "写真位置", 30, nullptr},
    {"TEXT", "写真番号", 256, "No.1 写真①"},
    {"TEXT", "写真番号", 2, "左下"},
    {"MTEXT", "写真番号", 256, "一行目\\P二行目"},
};

}  // namespace

TEST(DxfReaders, EzdxfReadsEveryVersion)
{
    TempFolder folder;
    for (int version : {2, 4, 6}) {
        SCOPED_TRACE(version);
        const QString path = WriteSample(folder, version);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        const char* acadver = version == 2 ? "AC1012" : version == 6 ? "AC1021" : "AC1014";
        EXPECT_TRUE(raw.contains(QByteArray("$ACADVER\r\n  1\r\n") + acadver + "\r\n"));

        QString error;
        const QJsonObject summary = RunPythonSummary("dxf_summary.py", {path}, &error);
        ASSERT_FALSE(summary.isEmpty()) << error.toStdString();
        EXPECT_TRUE(summary["errors"].toArray().isEmpty()) << QJsonDocument(summary).toJson().toStdString();
        for (const auto fix : summary["fixes"].toArray())
            EXPECT_TRUE(fix.toString().startsWith(kAllowedFix)) << fix.toString().toStdString();

        const QJsonObject layers = summary["layers"].toObject();
        EXPECT_EQ(layers[QString::fromUtf8("写真位置")].toInt(), 1);
        EXPECT_EQ(layers[QString::fromUtf8("写真番号")].toInt(), 5);
        EXPECT_EQ(layers["DefPoints"].toInt(), 7);
        EXPECT_EQ(summary["extmin"].toArray(), QJsonArray({0.0, 0.0}));
        EXPECT_EQ(summary["extmax"].toArray(), QJsonArray({140.0, 234.0}));

        const QJsonArray entities = summary["entities"].toArray();
        ASSERT_EQ(entities.size(), std::size(kEntities));
        for (qsizetype i = 0; i < entities.size(); ++i) {
            const QJsonObject e = entities[i].toObject();
            const ExpectedEntity& expected = kEntities[i];
            EXPECT_EQ(e["type"].toString(), expected.type);
            EXPECT_EQ(e["layer"].toString(), QString::fromUtf8(expected.layer));
            EXPECT_EQ(e["colour"].toInt(), expected.colour) << expected.type;
            if (expected.text) {
                EXPECT_EQ(e["text"].toString(), QString::fromUtf8(expected.text));
            }
        }
        const QJsonObject arrow = entities[1].toObject();
        EXPECT_EQ(arrow["count"].toInt(), 4);
        EXPECT_TRUE(arrow["closed"].toBool());
        const QJsonObject number = entities[4].toObject();
        EXPECT_EQ(number["halign"].toInt(), 1);
        EXPECT_EQ(number["valign"].toInt(), 2);
        EXPECT_EQ(number["height"].toDouble(), 3.5);
        EXPECT_EQ(entities[0].toObject()["radius"].toDouble(), 2.5);
        EXPECT_EQ(entities[3].toObject()["count"].toInt(), 3);
        EXPECT_EQ(entities[6].toObject()["attachment"].toInt(), 5);
    }
}

TEST(DxfReaders, EzdxfAuditCommandFindsNoError)
{
    TempFolder folder;
    const QString path = WriteSample(folder, 6);
    const ToolResult audit = RunTool("/usr/bin/python3", {"-m", "ezdxf", "audit", path});
    EXPECT_EQ(audit.exitCode, 0) << audit.err.toStdString();
    EXPECT_TRUE(audit.out.contains("Found 0 errors") || audit.out.contains("No errors found"))
        << audit.out.toStdString();
}

TEST(DxfReaders, OgrinfoListsTheSameFeatures)
{
    TempFolder folder;
    for (int version : {2, 4, 6}) {
        SCOPED_TRACE(version);
        const QString path = WriteSample(folder, version);
        QStringList arguments{"-ro", "-al", "-q"};
        // GDAL decodes by $DWGCODEPAGE even where the format says UTF-8, and does not know the
        // DOS name of code page 932 that AC1012 drawings carry.
        if (version == 6)
            arguments << "--config"
                      << "DXF_ENCODING"
                      << "UTF-8";
        else if (version == 2)
            arguments << "--config"
                      << "DXF_ENCODING"
                      << "CP932";
        const ToolResult info = RunTool("ogrinfo", arguments << path);
        ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();

        QStringList layers, texts;
        int features = 0;
        for (const QString& line : info.out.split('\n')) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith("OGRFeature("))
                ++features;
            else if (trimmed.startsWith("Layer (String) = "))
                layers << trimmed.mid(17);
            else if (trimmed.startsWith("Text (String) = "))
                texts << trimmed.mid(16);
        }
        EXPECT_EQ(features, int(std::size(kEntities)));
        QStringList expectedLayers;
        for (const ExpectedEntity& e : kEntities)
            expectedLayers << QString::fromUtf8(e.layer);
        EXPECT_EQ(layers, expectedLayers);
        EXPECT_EQ(texts, QStringList({QString::fromUtf8("No.1 写真①"), QString::fromUtf8("左下"),
                                      QString::fromUtf8("一行目")}));
    }
}

TEST(DxfReaders, BlockDefinitionsReadBack)
{
    TempFolder folder;
    auto doc = MakeSampleDrawing();
    auto block = std::make_unique<Block>();
    block->name = QString::fromUtf8("撮影点");
    block->layerName = QString::fromUtf8("写真位置");
    block->basePoint = {1, 2, 0};
    auto circle = std::make_unique<FigCircle>();
    circle->radius = 1.5;
    block->entries.push_back({std::move(circle), QString::fromUtf8("写真位置")});
    auto label = std::make_unique<FigText>();
    label->text = "P";
    block->entries.push_back({std::move(label), QString::fromUtf8("写真番号")});
    doc->blocks.blocks.push_back(std::move(block));

    for (int version : {2, 6}) {
        SCOPED_TRACE(version);
        DxfWriter writer;
        writer.Reset();
        writer.version = version;
        writer.nextHandle = 11;
        writer.textMode = 2;
        const QString path = folder.file(QStringLiteral("block_v%1.dxf").arg(version));
        WriteDxfFile(writer, *doc, path);

        QString error;
        const QJsonObject summary = RunPythonSummary("dxf_summary.py", {path}, &error);
        ASSERT_FALSE(summary.isEmpty()) << error.toStdString();
        EXPECT_TRUE(summary["errors"].toArray().isEmpty()) << QJsonDocument(summary).toJson().toStdString();
        const QJsonArray entities = summary["blocks"].toObject()[QString::fromUtf8("撮影点")].toArray();
        EXPECT_EQ(entities, QJsonArray({QJsonArray({"CIRCLE", QString::fromUtf8("写真位置")}),
                                        QJsonArray({"TEXT", QString::fromUtf8("写真番号")})}));
    }
}

// A frame outline may come out empty (a map without outline points). A lightweight polyline
// without a vertex draws nothing, and GDAL reports it as an error: it is left out of the file.
TEST(DxfReaders, ALightweightPolylineWithoutVerticesIsLeftOut)
{
    TempFolder folder;
    Document doc;
    doc.AddLayer(QString::fromUtf8("平面図範囲"));
    auto frame = std::make_unique<FigLWPolyline>();
    frame->flags = FigLWPolyline::kClosed;
    doc.AddToLayer(std::move(frame), QString::fromUtf8("平面図範囲"));
    auto open = std::make_unique<FigLWPolyline>();
    doc.AddToLayer(std::move(open), QString::fromUtf8("平面図範囲"));
    auto mark = std::make_unique<FigCircle>();
    mark->cx = 5;
    doc.AddToLayer(std::move(mark), QString::fromUtf8("平面図範囲"));
    DxfWriter writer;
    writer.Reset();
    writer.version = 6;
    writer.nextHandle = 11;
    writer.textMode = 2;
    const QString path = folder.file("frame.dxf");
    WriteDxfFile(writer, doc, path);

    const ToolResult info =
        RunTool("ogrinfo", {"-ro", "-al", "-q", "--config", "DXF_ENCODING", "UTF-8", path});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_FALSE(info.err.contains("ERROR")) << info.err.toStdString();
    EXPECT_EQ(info.out.count("OGRFeature("), 1);

    QString error;
    const QJsonObject summary = RunPythonSummary("dxf_summary.py", {path}, &error);
    ASSERT_FALSE(summary.isEmpty()) << error.toStdString();
    EXPECT_TRUE(summary["errors"].toArray().isEmpty());
    EXPECT_EQ(summary["entities"].toArray().size(), 1);
}
