#include <gtest/gtest.h>

#include "DxfSample.h"
#include "DxfTextHelpers.h"

using namespace fe::cad;

namespace {

std::string RenderOne(std::unique_ptr<Figure> figure)
{
    Document doc;
    doc.AddLayer("L");
    doc.AddToLayer(std::move(figure), "L");
    return RenderDxf(doc, 6);
}

// A record without its head (type, handle, owner, subclass and layer), which the handle tests check.
std::string Body(const std::string& record)
{
    const std::size_t layer = record.find("  8\r\nL\r\n");
    return layer == std::string::npos ? std::string() : record.substr(layer + 8);
}

}  // namespace

TEST(DxfEntities, RecordsOfEachKind)
{
    {
        auto line = std::make_unique<FigLseg2>();
        line->end = {10.5, 20};
        EXPECT_EQ(
            DxfRecord(RenderOne(std::move(line)), "LINE"),
            "  0\r\nLINE\r\n  5\r\n1F\r\n330\r\n19\r\n100\r\nAcDbEntity\r\n  8\r\nL\r\n100\r\nAcDbLine\r\n"
            " 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n 11\r\n10.5\r\n 21\r\n20.0\r\n 31\r\n0.0\r\n");
    }
    {
        // Closed: the repeated first point is not written.
        auto poly = std::make_unique<FigLWPolyline>();
        poly->flags = FigLWPolyline::kClosed;
        poly->points = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
        poly->bulges = {0.5};
        EXPECT_EQ(
            Body(DxfRecord(RenderOne(std::move(poly)), "LWPOLYLINE")),
            "100\r\nAcDbPolyline\r\n 90\r\n        4\r\n 70\r\n     1\r\n 43\r\n0.000000\r\n"
            " 10\r\n0.000000\r\n 20\r\n0.000000\r\n 42\r\n0.500000\r\n 10\r\n1.000000\r\n 20\r\n0.000000\r\n"
            " 10\r\n1.000000\r\n 20\r\n1.000000\r\n 10\r\n0.000000\r\n 20\r\n1.000000\r\n");
    }
    {
        auto circle = std::make_unique<FigCircle>();
        circle->colour = 1;
        circle->cx = 100.25;
        circle->radius = 2.5;
        EXPECT_TRUE(
            Contains(DxfRecord(RenderOne(std::move(circle)), "CIRCLE"),
                     "  8\r\nL\r\n 62\r\n     1\r\n100\r\nAcDbCircle\r\n 10\r\n100.25\r\n 20\r\n0.0\r\n"
                     " 30\r\n0.0\r\n 40\r\n2.500000\r\n"));
    }
    {
        // Default alignment: no 50, 72 or 73, but the second alignment point (0, 0) is written.
        auto text = std::make_unique<FigText>();
        text->text = QString::fromUtf8("写真1");
        text->alignPoint1 = {5, 6};
        EXPECT_EQ(Body(DxfRecord(RenderOne(std::move(text)), "TEXT")),
                  "100\r\nAcDbText\r\n 10\r\n5.0\r\n 20\r\n6.0\r\n 30\r\n0.0\r\n 40\r\n8.000000\r\n"
                  "  1\r\n写真1\r\n 11\r\n0.000000\r\n 21\r\n0.000000\r\n 31\r\n0.0\r\n100\r\nAcDbText\r\n");
    }
    {
        auto text = std::make_unique<FigText>();
        text->rotation = 30;
        text->horizontalAlign = 2;
        text->verticalAlign = 0;
        text->alignPoint2 = {kUnset, 0};
        const std::string record = DxfRecord(RenderOne(std::move(text)), "TEXT");
        EXPECT_TRUE(
            Contains(record, " 50\r\n30.000000\r\n 72\r\n     2\r\n100\r\nAcDbText\r\n 73\r\n     0\r\n"));
        EXPECT_FALSE(Contains(record, " 11\r\n"));
    }
    {
        auto note = std::make_unique<FigMText>();
        note->chunks = {"a", "b", "c"};
        note->direction = {1, 0, 0};
        EXPECT_TRUE(Contains(
            DxfRecord(RenderOne(std::move(note)), "MTEXT"),
            " 71\r\n     1\r\n  3\r\na\r\n  3\r\nb\r\n  1\r\nc\r\n 11\r\n1.000000\r\n 21\r\n0.000000\r\n"
            " 31\r\n0.000000\r\n"));
        auto single = std::make_unique<FigMText>();
        single->chunks = {"only"};
        const std::string record = DxfRecord(RenderOne(std::move(single)), "MTEXT");
        EXPECT_TRUE(Contains(record, "  1\r\nonly\r\n"));
        EXPECT_FALSE(Contains(record, "  3\r\n"));
        EXPECT_FALSE(Contains(record, " 11\r\n"));
    }
    {
        // A polyface mesh with M 0 and N 3 writes 72 but not 71; its vertices belong to it.
        auto mesh = std::make_unique<FigPolyline2>();
        mesh->flags = FigPolyline2::kPolyfaceMesh;
        mesh->meshN = 3;
        FigVertex corner;
        corner.flags = FigVertex::kFaceRecord | FigVertex::kPolyfaceVertex;
        FigVertex face;
        face.flags = FigVertex::kFaceRecord;
        face.faceIndices = {1, 2, 0, -3};
        mesh->vertices = {corner, face};
        const std::string text = RenderOne(std::move(mesh));
        EXPECT_TRUE(Contains(DxfRecord(text, "POLYLINE"),
                             "100\r\nAcDbPolyFaceMesh\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n"
                             " 70\r\n    64\r\n 72\r\n     3\r\n"));
        const std::size_t first = text.find("VERTEX");
        EXPECT_TRUE(Contains(DxfRecord(text, "VERTEX"),
                             "330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\nL\r\n100\r\nAcDbVertex\r\n100\r\n"
                             "AcDbPolyFaceMeshVertex\r\n 10\r\n0.000000\r\n"));
        EXPECT_TRUE(
            Contains(DxfRecord(text, "VERTEX", first + 1),
                     "100\r\nAcDbFaceRecord\r\n 10\r\n0.000000\r\n 20\r\n0.000000\r\n 30\r\n0.000000\r\n"
                     " 70\r\n   128\r\n 71\r\n     1\r\n 72\r\n     2\r\n 74\r\n    -3\r\n"));
        EXPECT_EQ(DxfRecord(text, "SEQEND"),
                  "  0\r\nSEQEND\r\n  5\r\n22\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n"
                  "  8\r\nL\r\n");
    }
}
