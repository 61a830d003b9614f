// The BLOCKS and OBJECTS sections of the DXF writer.
#include "cad/Document.h"
#include "cad/Dxf.h"

namespace fe::cad {

void Dxf::WriteBlocks(const Document& document)
{
    Group(0, "SECTION");
    Group(2, "BLOCKS");

    Group(0, "BLOCK");
    WriteHandle();
    GroupHex(330, m_modelSpaceHandle);
    Group(100, "AcDbEntity");
    Group(8, "0");
    Group(100, "AcDbBlockBegin");
    Group(2, "*MODEL_SPACE");
    Group(70, "     0");
    Group(10, "0.0");
    Group(20, "0.0");
    Group(30, "0.0");
    Group(3, "*MODEL_SPACE");
    Group(1, "");
    Group(0, "ENDBLK");
    WriteHandle();
    GroupHex(330, m_modelSpaceHandle);
    Group(100, "AcDbEntity");
    Group(8, "0");
    Group(100, "AcDbBlockEnd");

    Group(0, "BLOCK");
    WriteHandle();
    GroupHex(330, m_paperSpaceHandle);
    Group(100, "AcDbEntity");
    Group(8, "0");
    Group(100, "AcDbBlockBegin");
    Group(2, "*PAPER_SPACE");
    Group(70, "0");
    Group(10, "0.0");
    Group(20, "0.0");
    Group(30, "0.0");
    Group(3, "*PAPER_SPACE");
    Group(1, "");
    Group(0, "ENDBLK");
    WriteHandle();
    Group(100, "AcDbEntity");
    Group(8, "0");
    Group(100, "AcDbBlockEnd");

    std::size_t index = 0;
    for (const auto& block : document.blocks.blocks) {
        if (!block)
            continue;
        Group(0, "BLOCK");
        WriteHandle();
        if (index < m_blockRecordHandles.size())
            GroupHex(330, m_blockRecordHandles[index]);
        Group(100, "AcDbEntity");
        GroupText(8, block->layerName);
        Group(100, "AcDbBlockBegin");
        GroupText(2, block->name);
        GroupInt(70, block->flags, 0);
        GroupFixed6(10, block->basePoint.x);
        GroupFixed6(20, block->basePoint.y);
        GroupFixed6(30, block->basePoint.z);
        GroupText(3, block->name);
        GroupText(1, block->externalPath);
        for (const Block::Entry& entry : block->entries)
            WriteEntity(*entry.figure, m_out.Encode(entry.layer));
        Group(0, "ENDBLK");
        WriteHandle();
        Group(100, "AcDbEntity");
        GroupText(8, block->layerName);
        Group(100, "AcDbBlockEnd");
        ++index;
    }
    Group(0, "ENDSEC");
}

void Dxf::WriteObjects()
{
    Group(0, "SECTION");
    Group(2, "OBJECTS");

    Group(0, "DICTIONARY");
    const int root = WriteHandle();
    Group(330, "0");
    Group(100, "AcDbDictionary");

    // Each entry takes the next number after a step of the counter, so the number right after
    // the root dictionary stays unused; the plot entries take their numbers in every version.
    const int groupHandle = ++nextHandle;
    Group(3, "ACAD_GROUP");
    GroupHex(350, groupHandle);
    const int mlineStyleDictionary = ++nextHandle;
    Group(3, "ACAD_MLINESTYLE");
    GroupHex(350, mlineStyleDictionary);
    m_multilineStyleHandle = ++nextHandle;
    const int plotSettings = ++nextHandle;
    if (version >= 4) {
        Group(3, "ACAD_PLOTSETTINGS");
        GroupHex(350, plotSettings);
    }
    const int plotStyleName = ++nextHandle;
    if (version >= 4) {
        Group(3, "ACAD_PLOTSTYLENAME");
        GroupHex(350, plotStyleName);
    }

    auto ownedDictionary = [this, root](std::string_view type, int handle) {
        Group(0, type);
        GroupHex(5, handle);
        Group(102, "{ACAD_REACTORS");
        GroupHex(330, root);
        Group(102, "}");
        GroupHex(330, root);
        Group(100, "AcDbDictionary");
    };
    ownedDictionary("DICTIONARY", groupHandle);
    ownedDictionary("DICTIONARY", mlineStyleDictionary);
    Group(3, "Standard");
    GroupHex(350, m_multilineStyleHandle);
    if (version >= 4) {
        ownedDictionary("DICTIONARY", plotSettings);
        Group(281, "     1");
        ownedDictionary("ACDBDICTIONARYWDFLT", plotStyleName);
        Group(281, "     1");
        Group(100, "AcDbDictionaryWithDefault");
        GroupHex(340, m_plotStyleHandle);
    }

    Group(0, "MLINESTYLE");
    GroupHex(5, m_multilineStyleHandle);
    Group(102, "{ACAD_REACTORS");
    GroupHex(330, mlineStyleDictionary);
    Group(102, "}");
    GroupHex(330, mlineStyleDictionary);
    Group(100, "AcDbMlineStyle");
    Group(2, "Standard");
    Group(70, "     0");
    Group(3, "");
    Group(62, "   256");
    GroupReal(51, 90.0);
    GroupReal(52, 90.0);
    Group(71, "     2");
    GroupReal(49, 0.5);
    Group(62, "   256");
    Group(6, "BYLAYER");
    GroupReal(49, -0.5);
    Group(62, "   256");
    Group(6, "BYLAYER");
    ++nextHandle;
    Group(0, "ENDSEC");
}

}  // namespace fe::cad
