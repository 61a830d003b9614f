// The ENTITIES section of the DXF writer and the record of each figure kind.
#include "cad/Document.h"
#include "cad/Dxf.h"
#include "cad/Figures.h"
#include "fe/Unset.h"

namespace fe::cad {

void Dxf::WriteEntities(const Document& document)
{
    Group(0, "SECTION");
    Group(2, "ENTITIES");
    for (const auto& child : document.children) {
        if (child->Kind() != kKindLayer)
            continue;
        const auto& layer = static_cast<const FigLayer&>(*child);
        const std::string name = m_out.Encode(layer.name);
        for (const auto& figure : layer.children)
            WriteEntity(*figure, name);
    }
    Group(0, "ENDSEC");
}

void Dxf::WriteEntity(const Figure& figure, const std::string& layer)
{
    switch (figure.Kind()) {
        case kKindLine:
            WriteLine(figure, layer);
            break;
        case kKindPolyline:
            WritePolyline(figure, layer);
            break;
        case kKindLWPolyline:
            WriteLWPolyline(figure, layer);
            break;
        case kKindCircle:
            WriteCircle(figure, layer);
            break;
        case kKindText:
            WriteTextEntity(figure, layer);
            break;
        case kKindMText:
            WriteMText(figure, layer);
            break;
        default:
            break;  // groups, layers and loose vertices are not drawing records
    }
}

void Dxf::WriteEntityHead(std::string_view name, const Figure& figure, const std::string& layer, int owner,
                          bool withColour)
{
    Group(0, name);
    WriteHandle();
    GroupHex(330, owner);
    Group(100, "AcDbEntity");
    GroupEncoded(8, layer);
    if (withColour && figure.colour != kColourByLayer)
        GroupInt(62, figure.colour);
}

void Dxf::WriteLine(const Figure& figure, const std::string& layer)
{
    const auto& line = static_cast<const FigLseg2&>(figure);
    WriteEntityHead("LINE", figure, layer, m_modelSpaceHandle, true);
    Group(100, "AcDbLine");
    GroupReal(10, line.start.x);
    GroupReal(20, line.start.y);
    Group(30, "0.0");
    GroupReal(11, line.end.x);
    GroupReal(21, line.end.y);
    Group(31, "0.0");
}

void Dxf::WritePolyline(const Figure& figure, const std::string& layer)
{
    const auto& polyline = static_cast<const FigPolyline2&>(figure);
    const int owner = nextHandle;
    WriteEntityHead("POLYLINE", figure, layer, m_modelSpaceHandle, true);
    if (polyline.flags & FigPolyline2::kPolyfaceMesh)
        Group(100, "AcDbPolyFaceMesh");
    else if (polyline.flags & FigPolyline2::k3dPolyline)
        Group(100, "AcDb3dPolyline");
    else
        Group(100, "AcDb2dPolyline");
    Group(10, "0.0");
    Group(20, "0.0");
    Group(30, "0.0");
    GroupInt(70, polyline.flags);
    if (polyline.flags & FigPolyline2::kPolyfaceMesh) {
        if (polyline.meshM != 0)
            GroupInt(71, polyline.meshM);
        if (polyline.meshN != 0)
            GroupInt(72, polyline.meshN);
    }
    for (const FigVertex& vertex : polyline.vertices) {
        WriteEntityHead("VERTEX", vertex, layer, owner, false);
        const bool face = vertex.flags & FigVertex::kFaceRecord;
        const bool polyface = vertex.flags & FigVertex::kPolyfaceVertex;
        if (face && !polyface) {
            Group(100, "AcDbFaceRecord");
        } else {
            Group(100, "AcDbVertex");
            Group(100, face ? "AcDbPolyFaceMeshVertex" : "AcDb2dVertex");
        }
        GroupFixed6(10, vertex.position.x);
        GroupFixed6(20, vertex.position.y);
        GroupFixed6(30, vertex.position.z);
        GroupInt(70, vertex.flags);
        for (int i = 0; i < 4; ++i) {
            if (vertex.faceIndices[i] != 0)
                GroupInt(71 + i, vertex.faceIndices[i]);
        }
    }
    Group(0, "SEQEND");
    WriteHandle();
    GroupHex(330, owner);
    Group(100, "AcDbEntity");
    GroupEncoded(8, layer);
}

void Dxf::WriteLWPolyline(const Figure& figure, const std::string& layer)
{
    const auto& polyline = static_cast<const FigLWPolyline&>(figure);
    std::size_t count = polyline.points.size();
    if ((polyline.flags & FigLWPolyline::kClosed) && count > 0)
        --count;  // the repeated first point
    // A polyline without a vertex draws nothing, and readers refuse the record: leave it out.
    if (count == 0)
        return;
    WriteEntityHead("LWPOLYLINE", figure, layer, m_modelSpaceHandle, true);
    Group(100, "AcDbPolyline");
    GroupInt(90, int(count), 9);
    GroupInt(70, polyline.flags);
    Group(43, "0.000000");
    for (std::size_t i = 0; i < count; ++i) {
        GroupFixed6(10, polyline.points[i].x);
        GroupFixed6(20, polyline.points[i].y);
        if (i < polyline.bulges.size())
            GroupFixed6(42, polyline.bulges[i]);
    }
}

void Dxf::WriteCircle(const Figure& figure, const std::string& layer)
{
    const auto& circle = static_cast<const FigCircle&>(figure);
    WriteEntityHead("CIRCLE", figure, layer, m_modelSpaceHandle, true);
    Group(100, "AcDbCircle");
    GroupReal(10, circle.cx);
    GroupReal(20, circle.cy);
    Group(30, "0.0");
    GroupFixed6(40, circle.radius);
}

void Dxf::WriteTextEntity(const Figure& figure, const std::string& layer)
{
    const auto& text = static_cast<const FigText&>(figure);
    WriteEntityHead("TEXT", figure, layer, m_modelSpaceHandle, true);
    Group(100, "AcDbText");
    GroupReal(10, text.alignPoint1.x);
    GroupReal(20, text.alignPoint1.y);
    Group(30, "0.0");
    GroupFixed6(40, text.height);
    GroupText(1, text.text);
    if (text.rotation != 0.0)
        GroupFixed6(50, text.rotation);
    if (text.horizontalAlign != -1)
        GroupInt(72, text.horizontalAlign);
    if (!IsUnset(text.alignPoint2.x) && !IsUnset(text.alignPoint2.y)) {
        GroupFixed6(11, text.alignPoint2.x);
        GroupFixed6(21, text.alignPoint2.y);
        Group(31, "0.0");
    }
    Group(100, "AcDbText");
    if (text.verticalAlign >= 0)
        GroupInt(73, text.verticalAlign);
}

void Dxf::WriteMText(const Figure& figure, const std::string& layer)
{
    const auto& text = static_cast<const FigMText&>(figure);
    WriteEntityHead("MTEXT", figure, layer, m_modelSpaceHandle, true);
    Group(100, "AcDbMText");
    GroupFixed6(10, text.insertion.x);
    GroupFixed6(20, text.insertion.y);
    Group(30, "0.0");
    GroupFixed6(40, text.height);
    GroupFixed6(41, text.referenceWidth);
    if (text.attachment > 0)
        GroupInt(71, text.attachment);
    for (qsizetype i = 0; i < text.chunks.size(); ++i)
        GroupText(i + 1 < text.chunks.size() ? 3 : 1, text.chunks[i]);
    const Point3& d = text.direction;
    if (!IsUnset(d.x) && !IsUnset(d.y) && !IsUnset(d.z)) {
        GroupFixed6(11, d.x);
        GroupFixed6(21, d.y);
        GroupFixed6(31, d.z);
    }
}

}  // namespace fe::cad
