#pragma once

#include <string>

#include "cad/Document.h"
#include "cad/Dxf.h"
#include "cad/Figures.h"

// A drawing with every kind of figure the writer draws, Japanese layer names and texts included.
inline std::unique_ptr<fe::cad::Document> MakeSampleDrawing()
{
    using namespace fe::cad;
    auto doc = std::make_unique<Document>();
    doc->AddLayer(QString::fromUtf8("写真位置"), 1);
    doc->AddLayer(QString::fromUtf8("写真番号"), 5);
    doc->AddLayer(QStringLiteral("DefPoints"), 7);

    auto circle = std::make_unique<FigCircle>();
    circle->cx = 100;
    circle->cy = 200;
    circle->radius = 2.5;
    doc->AddToLayer(std::move(circle), QString::fromUtf8("写真位置"));

    auto arrow = std::make_unique<FigLWPolyline>();
    arrow->colour = 3;
    arrow->flags = FigLWPolyline::kClosed;
    arrow->points = {{100, 202.5}, {99, 206}, {100, 210}, {101, 206}, {100, 202.5}};
    doc->AddToLayer(std::move(arrow), QString::fromUtf8("写真位置"));

    auto line = std::make_unique<FigLseg2>();
    line->start = {0, 0};
    line->end = {10.5, 20};
    doc->AddToLayer(std::move(line), QString::fromUtf8("写真位置"));

    auto heavy = std::make_unique<FigPolyline2>();
    heavy->colour = 30;
    for (const Point2& p : {Point2(20, 20), Point2(30, 25), Point2(40, 20)}) {
        FigVertex vertex;
        vertex.position = {p.x, p.y, 0};
        heavy->vertices.push_back(vertex);
        heavy->points.push_back(p);
    }
    doc->AddToLayer(std::move(heavy), QString::fromUtf8("写真位置"));

    auto number = std::make_unique<FigText>();
    number->text = QString::fromUtf8("No.1 写真①");
    number->boxText = number->text;
    number->position = {103, 203};
    number->alignPoint1 = {103, 203};
    number->alignPoint2 = {103, 203};
    number->height = 3.5;
    number->horizontalAlign = 1;
    number->verticalAlign = 2;
    doc->AddToLayer(std::move(number), QString::fromUtf8("写真番号"));

    auto plain = std::make_unique<FigText>();
    plain->text = QString::fromUtf8("左下");
    plain->position = {5, 6};
    plain->alignPoint1 = {5, 6};
    plain->colour = 2;
    doc->AddToLayer(std::move(plain), QString::fromUtf8("写真番号"));

    auto note = std::make_unique<FigMText>();
    note->position = {120, 230};
    note->insertion = {120, 230};
    note->referenceWidth = 40;
    note->height = 4;
    note->attachment = 5;
    note->chunks = {QString::fromUtf8("一行目\\P"), QString::fromUtf8("二行目")};
    doc->AddToLayer(std::move(note), QString::fromUtf8("写真番号"));

    doc->header.extents = doc->Extents();
    return doc;
}

// The drawing as the photo output writes it: first handle B, TrueType style.
inline std::string RenderDxf(const fe::cad::Document& doc, int version, int textMode = 2)
{
    fe::cad::DxfWriter writer;
    writer.Reset();
    writer.version = version;
    writer.nextHandle = 11;
    writer.textMode = textMode;
    std::string first, second;
    writer.Write(doc, first, false);
    writer.Write(doc, second, true);
    return second;
}
