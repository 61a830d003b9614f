// The written shapefile sets as GIS readers see them.
#include <gtest/gtest.h>

#include <QJsonArray>

#include "ExternalReaders.h"
#include "ShapeSample.h"
#include "TempFolder.h"

using namespace fe;

namespace {

QString WriteSet(const TempFolder& folder, bool directions)
{
    ShapeData source, prepared;
    MakePhotoSet(source, directions);
    prepared.PrepareFrom(source);
    const QString path = folder.file(directions ? "現場_dir" : "現場_point");
    EXPECT_TRUE(prepared.WriteSet(path));
    EXPECT_TRUE(prepared.WritePrj(path));
    return path;
}

}  // namespace

TEST(ShapefileReaders, PyshpReadsBothSets)
{
    TempFolder folder;
    for (bool directions : {false, true}) {
        SCOPED_TRACE(directions);
        QString error;
        const QJsonObject summary =
            RunPythonSummary("shp_summary.py", {WriteSet(folder, directions)}, &error);
        ASSERT_FALSE(summary.isEmpty()) << error.toStdString();
        EXPECT_EQ(summary["shapeType"].toInt(), directions ? 3 : 1);
        EXPECT_EQ(summary["numRecords"].toInt(), 3);
        const QJsonArray bbox = summary["bbox"].toArray();
        // The rings reach about 9e-6 beyond their centres; their corners fall a little short.
        const double margin = directions ? 9e-6 : 0.0;
        const double tolerance = directions ? 1e-7 : 1e-12;
        EXPECT_NEAR(bbox[0].toDouble(), 139.7 - margin, tolerance);
        EXPECT_NEAR(bbox[1].toDouble(), 35.6 - margin, tolerance);
        EXPECT_NEAR(bbox[2].toDouble(), 139.8 + margin, tolerance);
        EXPECT_NEAR(bbox[3].toDouble(), 35.7 + margin, tolerance);

        const QJsonArray shapes = summary["shapes"].toArray();
        ASSERT_EQ(shapes.size(), 3);
        EXPECT_EQ(shapes[1].toObject()["type"].toInt(), 0);
        if (directions) {
            EXPECT_EQ(shapes[0].toObject()["points"].toArray().size(), 56);
            EXPECT_EQ(shapes[2].toObject()["points"].toArray().size(), 51);
            EXPECT_EQ(shapes[0].toObject()["parts"].toArray(), QJsonArray({0}));
        } else {
            EXPECT_EQ(shapes[0].toObject()["points"].toArray(), QJsonArray({QJsonArray({139.7, 35.6})}));
        }

        const QJsonArray records = summary["records"].toArray();
        EXPECT_EQ(records[0].toArray(), QJsonArray({"1", "139.7", "35.6", "45.0", "2024-05-01", "10:21:00"}));
        EXPECT_EQ(records[1].toArray(),
                  QJsonArray({"2", QJsonValue(), QJsonValue(), QJsonValue(), "2024-05-02", "10:22:00"}));
        EXPECT_EQ(records[2].toArray()[3], QJsonValue());
    }
}

TEST(ShapefileReaders, OgrinfoReadsBothSetsAsWgs84)
{
    TempFolder folder;
    for (bool directions : {false, true}) {
        SCOPED_TRACE(directions);
        const ToolResult info = RunTool("ogrinfo", {"-ro", "-al", WriteSet(folder, directions) + ".shp"});
        ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
        EXPECT_TRUE(info.out.contains(directions ? "Geometry: Line String" : "Geometry: Point"));
        EXPECT_TRUE(info.out.contains("Feature Count: 3"));
        EXPECT_TRUE(info.out.contains("ID[\"EPSG\",4326]"));
        if (!directions) {
            EXPECT_TRUE(info.out.contains("Extent: (139.700000, 35.600000) - (139.800000, 35.700000)"));
            EXPECT_TRUE(info.out.contains("  POINT (139.7 35.6)"));
        }
        EXPECT_TRUE(info.out.contains("LONGITUDE (Real) = 139.7000000"));
        EXPECT_TRUE(info.out.contains("LONGITUDE (Real) = (null)"));
        EXPECT_TRUE(info.out.contains("DATE (Date) = 2024/05/03"));
        EXPECT_TRUE(info.out.contains("TIME (String) = 10:22:00"));
        EXPECT_EQ(info.out.count("LINESTRING ("), directions ? 2 : 0);
    }
}
