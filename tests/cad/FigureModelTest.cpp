#include <gtest/gtest.h>

#include "cad/Document.h"
#include "cad/Figures.h"

using namespace fe::cad;

namespace {

std::unique_ptr<FigLseg2> Line(Point2 a, Point2 b)
{
    auto line = std::make_unique<FigLseg2>();
    line->start = a;
    line->end = b;
    return line;
}

std::unique_ptr<FigCircle> Circle(double x, double y, double r)
{
    auto circle = std::make_unique<FigCircle>();
    circle->cx = x;
    circle->cy = y;
    circle->radius = r;
    return circle;
}

}  // namespace

TEST(FigureModel, Extents)
{
    {
        Document empty;
        EXPECT_EQ(empty.Extents(), Rect2(0, 0, 0, 0));
        empty.AddLayer("空");
        EXPECT_EQ(empty.Extents(), Rect2(0, 0, 0, 0));
    }
    {
        // A circle counts with its centre only.
        Document doc;
        doc.AddLayer("A");
        EXPECT_EQ(doc.AddToLayer(Line({0, 0}, {10.5, 20}), "A"), nullptr);
        EXPECT_EQ(doc.AddToLayer(Circle(5, 5, 10), "A"), nullptr);
        const Rect2 box = doc.Extents();
        EXPECT_EQ(box.x0, 0);
        EXPECT_EQ(box.x1, 10.5);
        EXPECT_EQ(box.y0, 0);
        EXPECT_EQ(box.y1, 20);
    }
    {
        // Centred multi-line text: attachment 5 centres the reference width on the position.
        Document doc;
        doc.AddLayer("T");
        auto text = std::make_unique<FigMText>();
        text->position = {100, 50};
        text->referenceWidth = 40;
        text->attachment = 5;
        doc.AddToLayer(std::move(text), "T");
        EXPECT_EQ(doc.Extents(), Rect2(80, 50, 120, 58));
    }
    {
        // A text counts only when its box text holds more than spaces: its alignment point + (1, 1).
        Document doc;
        doc.AddLayer("T");
        auto blank = std::make_unique<FigText>();
        blank->position = {1, 1};
        blank->alignPoint1 = {50, 50};
        blank->boxText = "   ";
        doc.AddToLayer(std::move(blank), "T");
        auto text = std::make_unique<FigText>();
        text->position = {2, 2};
        text->alignPoint1 = {3, 4};
        text->boxText = "No.1";
        doc.AddToLayer(std::move(text), "T");
        EXPECT_EQ(doc.Extents(), Rect2(1, 1, 4, 5));
    }
    {
        // A polyline without points adds nothing rather than an unset box.
        Document doc;
        doc.AddLayer("P");
        doc.AddToLayer(Circle(2, 3, 1), "P");
        doc.AddToLayer(std::make_unique<FigLWPolyline>(), "P");
        EXPECT_EQ(doc.Extents(), Rect2(2, 3, 2, 3));
    }
}

TEST(FigureModel, GrowingKeepsAxisDirection)
{
    Rect2 box(10, 0, 0, 10);  // x runs 10 → 0
    ExtendBoxByPoint(box, {12, 5});
    EXPECT_EQ(box.x0, 12);
    EXPECT_EQ(box.x1, 0);
    EXPECT_EQ(box.y0, 0);
    EXPECT_EQ(box.y1, 10);
}

TEST(FigureModel, AddToUnknownLayerReturnsTheFigure)
{
    Document doc;
    doc.AddLayer("A");
    std::unique_ptr<Figure> back = doc.AddToLayer(Circle(1, 1, 1), "B");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->layerName, "B");
    EXPECT_TRUE(doc.FindLayer("A")->children.empty());
    EXPECT_EQ(doc.Extents(), Rect2(0, 0, 0, 0));
}

// The block list may hold empty places (the writer skips them); a lookup passes over them too.
TEST(FigureModel, BlockLookupByExactName)
{
    Document doc;
    doc.blocks.blocks.push_back(nullptr);
    auto block = std::make_unique<Block>();
    block->name = QString::fromUtf8("撮影点");
    doc.blocks.blocks.push_back(std::move(block));
    EXPECT_EQ(doc.blocks.Find(QString::fromUtf8("撮影点")), doc.blocks.blocks[1].get());
    EXPECT_EQ(doc.blocks.Find(QString::fromUtf8("撮影")), nullptr);
}

TEST(FigureModel, CloneCopiesDeeplyAndMendsColour)
{
    struct Case
    {
        int colour;
        int cloned;
    };
    for (const Case c : {Case{255, 255}, Case{256, 256}, Case{300, 256}, Case{INT_MAX, 256}, Case{0, 0}}) {
        FigCircle circle;
        circle.colour = c.colour;
        EXPECT_EQ(circle.Clone()->colour, c.cloned) << c.colour;
    }

    FigLayer layer("L", 3);
    auto poly = std::make_unique<FigPolyline2>();
    poly->vertices.resize(2);
    poly->vertices[1].position = {4, 5, 0};
    poly->points = {{4, 5}};
    layer.children.push_back(std::move(poly));
    auto copy = layer.Clone();
    auto& copied = static_cast<FigLayer&>(*copy);
    EXPECT_EQ(copied.name, "L");
    EXPECT_EQ(copied.colour, 3);
    ASSERT_EQ(copied.children.size(), 1u);
    EXPECT_NE(copied.children[0].get(), layer.children[0].get());
    EXPECT_EQ(static_cast<FigPolyline2&>(*copied.children[0]).vertices[1].position, Point3(4, 5, 0));

    layer.Reset();
    EXPECT_TRUE(layer.children.empty());
    EXPECT_EQ(layer.colour, 7);
    EXPECT_TRUE(layer.name.isEmpty());
}
