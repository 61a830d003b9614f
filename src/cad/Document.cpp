#include "cad/Document.h"

namespace fe::cad {

void Block::ExtendBox(Rect2& box) const
{
    for (const Entry& entry : entries)
        entry.figure->ExtendBox(box);
}

void Block::Reset()
{
    name.clear();
    basePoint = Point3();
    entries.clear();
}

std::unique_ptr<Block> Block::Clone() const
{
    auto copy = std::make_unique<Block>();
    copy->layerName = layerName;
    copy->name = name;
    copy->basePoint = basePoint;
    copy->flags = flags;
    copy->externalPath = externalPath;
    copy->entries.reserve(entries.size());
    for (const Entry& entry : entries)
        copy->entries.push_back({entry.figure->Clone(), entry.layer});
    return copy;
}

const Block* DxfBlocks::Find(const QString& name) const
{
    for (const auto& block : blocks) {
        if (block && block->name == name)
            return block.get();
    }
    return nullptr;
}

void Document::Reset()
{
    FigGroup::Reset();
    header = DocumentHeader();
    blocks.blocks.clear();
}

FigLayer& Document::AddLayer(const QString& name, int colour)
{
    auto layer = std::make_unique<FigLayer>(name, colour);
    FigLayer& result = *layer;
    children.push_back(std::move(layer));
    return result;
}

FigLayer* Document::FindLayer(const QString& name) const
{
    for (const auto& child : children) {
        if (child->Kind() != kKindLayer)
            continue;
        auto* layer = static_cast<FigLayer*>(child.get());
        if (layer->name == name)
            return layer;
    }
    return nullptr;
}

std::unique_ptr<Figure> Document::AddToLayer(std::unique_ptr<Figure> figure, const QString& name)
{
    if (!figure)
        return nullptr;
    figure->layerName = name;
    FigLayer* layer = FindLayer(name);
    if (!layer)
        return figure;
    layer->children.push_back(std::move(figure));
    return nullptr;
}

Rect2 Document::Extents() const
{
    const std::optional<Point2> first = FirstPoint();
    if (!first)
        return Rect2(0.0, 0.0, 0.0, 0.0);
    Rect2 box(first->x, first->y, first->x, first->y);
    ExtendBox(box);
    return box;
}

}  // namespace fe::cad
