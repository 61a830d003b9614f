// The TABLES section of the DXF writer.
#include "cad/CadText.h"
#include "cad/Document.h"
#include "cad/Dxf.h"
#include "fe/Unset.h"

namespace fe::cad {
namespace {

// Fixed handles of the symbol tables; 4 is never used.
constexpr int kBlockRecordTable = 0x1;
constexpr int kLayerTable = 0x2;
constexpr int kStyleTable = 0x3;
constexpr int kLtypeTable = 0x5;
constexpr int kViewTable = 0x6;
constexpr int kUcsTable = 0x7;
constexpr int kVportTable = 0x8;
constexpr int kAppidTable = 0x9;
constexpr int kDimstyleTable = 0xA;

struct LineType
{
    std::string_view name;
    std::string_view description;
    int elementCount;
    std::string_view totalLength;
    std::string_view elements[6];
};

// The line types every drawing carries, with their pattern lengths as literal texts.
constexpr LineType kLineTypes[] = {
    {"BYBLOCK", "", 0, "0.0", {}},
    {"BYLAYER", "", 0, "0.0", {}},
    {"CONTINUOUS", "CONTINUOUS", 0, "0.0", {}},
    {"DASHED", "", 2, "3.5", {"2.91666666666667", "-0.583333333333333"}},
    {"DOT", "", 2, "0.5", {"0.25", "-0.25"}},
    {"DASHDOT",
     "",
     4,
     "3.5",
     {"1.84210526315789", "-0.552631578947368", "0.552631578947368", "-0.552631578947368"}},
    {"DIVIDE", "", 6, "3.5", {"1.4", "-0.42", "0.42", "-0.42", "0.42", "-0.42"}},
    {"HIDDEN", "", 2, "4.0", {"2.0", "-2.0"}},
};

bool Written(double value)
{
    return !IsUnset(value) && value != 0.0;
}

}  // namespace

void Dxf::BeginTable(std::string_view name, int handle, int entryCount)
{
    Group(0, "TABLE");
    Group(2, name);
    GroupHex(5, handle);
    Group(330, "0");
    Group(100, "AcDbSymbolTable");
    GroupInt(70, entryCount);
}

int Dxf::BeginEntry(std::string_view table, int tableHandle, std::string_view subclass, bool handle105)
{
    Group(0, table);
    const int handle = WriteHandle(handle105);
    GroupHex(330, tableHandle);
    Group(100, "AcDbSymbolTableRecord");
    Group(100, subclass);
    return handle;
}

void Dxf::WriteTables(const Document& document)
{
    Group(0, "SECTION");
    Group(2, "TABLES");
    WriteVport(document);
    WriteLtype();
    WriteLayers(document);
    WriteStyle();
    BeginTable("VIEW", kViewTable, 0);
    Group(0, "ENDTAB");
    BeginTable("UCS", kUcsTable, 0);
    Group(0, "ENDTAB");
    WriteAppid();
    WriteDimstyle();
    WriteBlockRecords(document);
    Group(0, "ENDSEC");
}

void Dxf::WriteVport(const Document& document)
{
    const DocumentHeader& h = document.header;
    BeginTable("VPORT", kVportTable, 1);
    BeginEntry("VPORT", kVportTable, "AcDbViewportTableRecord");
    Group(2, "*ACTIVE");
    Group(70, "     0");
    Group(10, "0.0");
    Group(20, "0.0");
    Group(11, "1.0");
    Group(21, "1.0");
    GroupReal(12, h.viewCentre.x);
    GroupReal(22, h.viewCentre.y);
    Group(13, "1.0");
    Group(23, "1.0");
    Group(14, "10.0");
    Group(24, "10.0");
    Group(15, "10.0");
    Group(25, "10.0");
    Group(16, "0.0");
    Group(26, "0.0");
    Group(36, "1.0");
    GroupReal(17, h.viewTarget.x);
    GroupReal(27, h.viewTarget.y);
    Group(37, "0.0");
    if (Written(h.viewHeight))
        GroupReal(40, h.viewHeight);
    if (Written(h.viewAspectRatio))
        GroupReal(41, h.viewAspectRatio);
    Group(42, "50.0");
    Group(43, "0.0");
    Group(44, "0.0");
    Group(50, "0.0");
    Group(51, "0.0");
    Group(71, "     0");
    Group(72, "  1000");
    Group(73, "     1");
    Group(76, "     0");
    Group(77, "     0");
    Group(78, "     0");
    Group(0, "ENDTAB");
}

void Dxf::WriteLtype()
{
    BeginTable("LTYPE", kLtypeTable, 7);
    for (const LineType& type : kLineTypes) {
        BeginEntry("LTYPE", kLtypeTable, "AcDbLinetypeTableRecord");
        Group(2, type.name);
        Group(70, "     0");
        Group(3, type.description);
        Group(72, "    65");
        GroupInt(73, type.elementCount);
        Group(40, type.totalLength);
        for (int i = 0; i < type.elementCount; ++i) {
            Group(49, type.elements[i]);
            Group(74, "     0");
        }
    }
    Group(0, "ENDTAB");
}

void Dxf::WriteLayers(const Document& document)
{
    BeginTable("LAYER", kLayerTable, 0);
    for (const auto& child : document.children) {
        if (child->Kind() != kKindLayer)
            continue;
        const auto& layer = static_cast<const FigLayer&>(*child);
        if (layer.name.isEmpty())
            continue;
        BeginEntry("LAYER", kLayerTable, "AcDbLayerTableRecord");
        GroupText(2, layer.name);
        GroupInt(70, layer.frozen ? 1 : 0);
        GroupInt(62, layer.colour);
        Group(6, "CONTINUOUS");
        if (version >= 4) {
            if (EqualsIgnoreCase(layer.name, QStringLiteral("defpoints")))
                Group(290, "0");
            GroupInt(370, -3);
            GroupHex(390, m_plotStyleHandle);
        }
    }
    Group(0, "ENDTAB");
}

void Dxf::WriteStyle()
{
    BeginTable("STYLE", kStyleTable, 1);
    BeginEntry("STYLE", kStyleTable, "AcDbTextStyleTableRecord");
    Group(2, "STANDARD");
    Group(70, "     0");
    Group(40, "0.0");
    Group(41, "1.0");
    Group(50, "0.0");
    Group(71, "     0");
    Group(42, "3.2");
    if (textMode == kTextModeShapeFont) {
        Group(3, "TXT.shx");
        Group(4, "BIGFONT.shx");
    } else if (textMode == kTextModeTrueType) {
        Group(3, "MS Gothic");
        Group(4, "");
        Group(1001, "ACAD");
        Group(1000, "MS Gothic");
    } else {
        Group(3, "TXT");
        Group(4, "BIGFONT");
    }
    Group(0, "ENDTAB");
}

void Dxf::WriteAppid()
{
    BeginTable("APPID", kAppidTable, version < 4 ? 1 : 2);
    BeginEntry("APPID", kAppidTable, "AcDbRegAppTableRecord");
    Group(2, "ACAD");
    Group(70, "     0");
    if (version >= 4) {
        BeginEntry("APPID", kAppidTable, "AcDbRegAppTableRecord");
        Group(2, "ACAD_PSEXT");
        Group(70, "     0");
    }
    Group(0, "ENDTAB");
}

void Dxf::WriteDimstyle()
{
    BeginTable("DIMSTYLE", kDimstyleTable, 1);
    if (version >= 4)
        Group(100, "AcDbDimStyleTable");
    BeginEntry("DIMSTYLE", kDimstyleTable, "AcDbDimStyleTableRecord", true);
    Group(2, version <= 1 ? "*UNNAMED" : version <= 3 ? "STANDARD" : "ISO-25");
    Group(70, "     0");
    Group(0, "ENDTAB");
}

void Dxf::WriteBlockRecords(const Document& document)
{
    BeginTable("BLOCK_RECORD", kBlockRecordTable, 0);
    auto spaceRecord = [this](std::string_view name) {
        const int handle = BeginEntry("BLOCK_RECORD", kBlockRecordTable, "AcDbBlockTableRecord");
        Group(2, name);
        if (version >= 6) {
            Group(70, "     0");
            Group(280, "     1");
            Group(281, "     0");
        }
        return handle;
    };
    m_modelSpaceHandle = spaceRecord("*MODEL_SPACE");
    m_paperSpaceHandle = spaceRecord("*PAPER_SPACE");
    for (const auto& block : document.blocks.blocks) {
        if (!block)
            continue;
        m_blockRecordHandles.push_back(BeginEntry("BLOCK_RECORD", kBlockRecordTable, "AcDbBlockTableRecord"));
        GroupText(2, block->name);
    }
    Group(0, "ENDTAB");
}

}  // namespace fe::cad
