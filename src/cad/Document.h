#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "cad/Figure.h"
#include "fe/Unset.h"

namespace fe::cad {

// A block definition: figures drawn together under one name, each on its own layer.
class Block
{
public:
    struct Entry
    {
        std::unique_ptr<Figure> figure;
        // The layer the figure is written on.
        QString layer;
    };

    void ExtendBox(Rect2& box) const;
    void Reset();
    std::unique_ptr<Block> Clone() const;

    // Group 8 of the BLOCK record.
    QString layerName;
    QString name;
    Point3 basePoint;
    int flags = 0;
    QString externalPath;
    std::vector<Entry> entries;
};

// The drawing's block definitions, owned.
class DxfBlocks
{
public:
    // The first block whose name equals the text exactly, or null.
    const Block* Find(const QString& name) const;

    std::vector<std::unique_ptr<Block>> blocks;
};

// The drawing-wide values the writer puts into the HEADER and VPORT records.
struct DocumentHeader
{
    // $EXTMIN (x0, y0) and $EXTMAX (x1, y1); the caller sets them, usually from Document::Extents.
    Rect2 extents{0.0, 0.0, 0.0, 0.0};
    // $LIMMIN and $LIMMAX, written only when both spans are non-zero.
    Rect2 limits{0.0, 0.0, 0.0, 0.0};
    Point2 ucsOrigin;
    Point2 viewCentre;
    Point2 viewTarget;
    // Written only when neither unset nor 0.
    double viewHeight = kUnset;
    double viewAspectRatio = kUnset;
    int splineSegments = 8;
};

// A drawing: named layers that own the figures drawn on them, the header values and the blocks.
// Only layers are held as children.
class Document : public FigGroup
{
public:
    Document() = default;

    int Kind() const override { return kKindDocument; }
    void Reset() override;
    // A document is not copied: this gives null.
    std::unique_ptr<Figure> Clone() const override { return nullptr; }

    // Appends a layer and returns it for filling.
    FigLayer& AddLayer(const QString& name, int colour = 7);
    // The first layer of that exact name, or null.
    FigLayer* FindLayer(const QString& name) const;

    // Hands the figure to the first layer of that exact name and sets the figure's layer name.
    // Without such a layer the figure is returned to the caller (its layer name still set) and the
    // document is unchanged; otherwise null is returned.
    std::unique_ptr<Figure> AddToLayer(std::unique_ptr<Figure> figure, const QString& name);

    // The box of everything drawn, seeded from the first defined point; (0, 0, 0, 0) when the
    // drawing holds no defined point.
    Rect2 Extents() const;

    DocumentHeader header;
    DxfBlocks blocks;
};

}  // namespace fe::cad
