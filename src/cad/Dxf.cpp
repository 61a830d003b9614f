#include "cad/Dxf.h"

#include "cad/CadText.h"
#include "cad/Document.h"
#include "fe/AtomicSave.h"
#include "fe/Failure.h"

namespace fe::cad {
namespace {

// A drawing's size grows with its figures; a few hundred bytes per figure avoids most regrowth.
constexpr std::size_t kBaseSize = 16 * 1024;
constexpr std::size_t kBytesPerFigure = 400;

std::size_t ExpectedSize(const Document& document)
{
    std::size_t figures = 0;
    for (const auto& layer : document.children) {
        if (layer->Kind() == kKindLayer)
            figures += static_cast<const FigLayer&>(*layer).children.size();
    }
    return kBaseSize + figures * kBytesPerFigure;
}

}  // namespace

void Dxf::Reset()
{
    fileName.clear();
    line = 0;
    code = 2147483647;
    version = 10;
    nextHandle = 0;
    m_savedHandle = 0;
    m_plotStyleHandle = 0;
    m_modelSpaceHandle = 0;
    m_paperSpaceHandle = 0;
    m_blockRecordHandles.clear();
    m_multilineStyleHandle = -1;
}

void Dxf::ThrowOpenError() const
{
    throw fe::Failure(QStringLiteral("DxfLoader:") + fileName + QStringLiteral("\nL") +
                      QString::number(line) + QStringLiteral("\n#") + QString::number(code) +
                      QStringLiteral("\nファイルを開けません"));
}

int Dxf::WriteHandle(bool flag)
{
    m_out.Code(flag ? 105 : 5);
    m_out.Hex(nextHandle);
    return nextHandle++;
}

void Dxf::Group(int groupCode, std::string_view literal)
{
    m_out.Code(groupCode);
    m_out.Line(literal);
}

void Dxf::GroupInt(int groupCode, int value, int width)
{
    m_out.Code(groupCode);
    m_out.Int(value, width);
}

void Dxf::GroupReal(int groupCode, double value)
{
    m_out.Code(groupCode);
    m_out.Real(value);
}

void Dxf::GroupFixed6(int groupCode, double value)
{
    m_out.Code(groupCode);
    m_out.Fixed6(value);
}

void Dxf::GroupText(int groupCode, const QString& text)
{
    m_out.Code(groupCode);
    m_out.Text(text);
}

void Dxf::GroupHex(int groupCode, int handle)
{
    m_out.Code(groupCode);
    m_out.Hex(handle);
}

void Dxf::GroupEncoded(int groupCode, const std::string& bytes)
{
    m_out.Code(groupCode);
    m_out.EncodedText(bytes);
}

void Dxf::Render(const Document& document, bool secondPass)
{
    if (secondPass)
        nextHandle = m_savedHandle;
    else
        m_savedHandle = nextHandle;
    m_blockRecordHandles.clear();
    m_out.Start(version >= 6 ? DxfLines::Encoding::Utf8 : DxfLines::Encoding::Cp932, 4096);

    WriteHeader(document);
    if (version >= 2)
        WriteClasses();
    WriteTables(document);
    WriteBlocks(document);
    WriteEntities(document);
    if (version >= 2)
        WriteObjects();
    Group(0, "EOF");
}

std::string Dxf::SeedLine() const
{
    return HandleText(nextHandle).toStdString() + "\r\n";
}

void Dxf::Write(const Document& document, std::string& out, bool secondPass)
{
    Render(document, secondPass);
    const std::string seed = SeedLine();
    const std::string_view body = m_out.Bytes();
    out.clear();
    out.reserve(m_head.size() + seed.size() + body.size());
    out.append(m_head).append(seed).append(body);
}

void Dxf::WriteFile(const Document& document, const QString& path)
{
    fileName = path;
    Render(document, false);
    const std::string seed = SeedLine();
    fe::AtomicSave save;
    if (!save.open(path))
        ThrowOpenError();
    for (const std::string_view piece : {std::string_view(m_head), std::string_view(seed), m_out.Bytes()}) {
        if (!save.write(piece.data(), qint64(piece.size())))
            throw fe::Failure("File.writeLine");
    }
    if (!save.commit())
        throw fe::Failure("File.writeLine");
}

void Dxf::WriteHeader(const Document& document)
{
    const DocumentHeader& h = document.header;
    auto variable = [this](std::string_view name) { Group(9, name); };
    Group(0, "SECTION");
    Group(2, "HEADER");
    variable("$ACADVER");
    Group(1, version == 2 ? "AC1012" : version == 6 ? "AC1021" : "AC1014");
    variable("$DWGCODEPAGE");
    Group(3, version < 3 ? "dos932" : "ANSI_932");
    variable("$INSBASE");
    Group(10, "0.0");
    Group(20, "0.0");
    Group(30, "0.0");
    variable("$EXTMIN");
    GroupFixed6(10, h.extents.x0);
    GroupFixed6(20, h.extents.y0);
    Group(30, "0.0");
    variable("$EXTMAX");
    GroupFixed6(10, h.extents.x1);
    GroupFixed6(20, h.extents.y1);
    Group(30, "0.0");
    if (h.limits.x1 - h.limits.x0 != 0.0 && h.limits.y1 - h.limits.y0 != 0.0) {
        variable("$LIMMIN");
        GroupFixed6(10, h.limits.x0);
        GroupFixed6(20, h.limits.y0);
        variable("$LIMMAX");
        GroupFixed6(10, h.limits.x1);
        GroupFixed6(20, h.limits.y1);
        variable("$LIMCHECK");
        Group(70, "     0");
    }
    variable("$ORTHOMODE");
    Group(70, "     0");
    variable("$REGENMODE");
    Group(70, "     1");
    variable("$FILLMODE");
    Group(70, "     1");
    variable("$QTEXTMODE");
    Group(70, "     0");
    variable("$MIRRTEXT");
    Group(70, "     0");
    variable("$LTSCALE");
    Group(40, "200.0");
    variable("$ATTMODE");
    Group(70, "     1");
    variable("$TRACEWID");
    Group(40, "1.0");
    variable("$TEXTSTYLE");
    Group(7, "STANDARD");
    if (!document.children.empty() && document.children.front()->Kind() == kKindLayer) {
        variable("$CLAYER");
        GroupText(8, static_cast<const FigLayer&>(*document.children.front()).name);
    }
    variable("$CELTYPE");
    Group(6, "BYLAYER");
    variable("$CECOLOR");
    Group(62, "   256");
    variable("$CELTSCALE");
    Group(40, "100.0");
    variable("$DISPSILH");
    Group(70, "     0");
    variable("$DIMSCALE");
    Group(40, "1.0");
    variable("$DIMASZ");
    Group(40, "50.0");
    variable("$DIMEXO");
    Group(40, "200.0");
    variable("$SPLINESEGS");
    GroupInt(70, h.splineSegments);
    if (version < 4) {
        variable("$HANDLING");
        Group(70, "1");
    }
    variable("$HANDSEED");
    // The seed is one more than the last handle of the drawing, known only at the end: the text
    // so far is kept apart and the seed goes between it and the rest.
    m_out.Code(5);
    m_head = m_out.Take();
    m_out.Start(version >= 6 ? DxfLines::Encoding::Utf8 : DxfLines::Encoding::Cp932, ExpectedSize(document));
    variable("$UCSORG");
    GroupReal(10, h.ucsOrigin.x);
    GroupReal(20, h.ucsOrigin.y);
    Group(30, "0.0");
    Group(0, "ENDSEC");
}

void Dxf::WriteClasses()
{
    Group(0, "SECTION");
    Group(2, "CLASSES");
    Group(0, "CLASS");
    Group(1, "ACDBDICTIONARYWDFLT");
    Group(2, "AcDbDictionaryWithDefault");
    Group(3, "ObjectDBX Classes");
    GroupInt(90, 0, 9);
    if (version >= 6)
        GroupInt(91, 3, 9);
    Group(280, "     0");
    Group(281, "     0");
    Group(0, "ENDSEC");
}

void WriteDxfFile(Dxf& writer, const Document& document, const QString& path)
{
    writer.WriteFile(document, path);
}

}  // namespace fe::cad
