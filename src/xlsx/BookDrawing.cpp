// Pictures and text boxes placed on sheets.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>

#include "xlsx/Book.h"
#include "xlsx/Geometry.h"
#include "xlsx/XmlText.h"

namespace xlsx {
namespace {

constexpr std::uintmax_t kMaxPictureBytes = 256u << 20;

// The picture format by its first bytes; empty when it is none the package can hold.
std::string PictureExtension(const std::string& bytes)
{
    const auto starts = [&](std::string_view magic) { return bytes.compare(0, magic.size(), magic) == 0; };
    if (starts("\xFF\xD8\xFF"))
        return "jpeg";
    if (starts("\x89PNG\r\n\x1A\n"))
        return "png";
    if (starts("GIF87a") || starts("GIF89a"))
        return "gif";
    if (starts("BM"))
        return "bmp";
    if (starts(std::string_view("II*\0", 4)) || starts(std::string_view("MM\0*", 4)))
        return "tiff";
    return {};
}

// A key for finding the same picture again: its size and its first and last few kilobytes. Equal
// keys are confirmed by comparing the whole bytes, so the key only needs to part most pictures,
// and it costs the same for a photo of 10 MB as for one of 20 kB.
std::size_t PictureKey(const std::string& bytes)
{
    constexpr std::size_t kEdge = 4096;
    const std::string_view all(bytes);
    if (all.size() <= 2 * kEdge)
        return std::hash<std::string_view>{}(all);
    const std::size_t head = std::hash<std::string_view>{}(all.substr(0, kEdge));
    const std::size_t tail = std::hash<std::string_view>{}(all.substr(all.size() - kEdge));
    return head ^ (tail * 0x9E3779B97F4A7C15ull) ^ (all.size() * 0xC2B2AE3D27D4EB4Full);
}

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<std::uintmax_t>(size) > kMaxPictureBytes)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(bytes.data(), size));
}

std::int64_t MmToEmu(double mm)
{
    return static_cast<std::int64_t>(std::llround(mm * kEmuPerMm));
}

bool ValidBox(double x, double y, double width, double height)
{
    const auto ok = [](double v) { return std::isfinite(v) && std::fabs(v) < 100000; };
    return ok(x) && ok(y) && ok(width) && ok(height) && width > 0 && height > 0;
}

std::string Rgb(std::uint32_t colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return text;
}

std::string AnchorXml(const Anchor& a)
{
    return "<xdr:from><xdr:col>" + std::to_string(a.col) + "</xdr:col><xdr:colOff>" +
           std::to_string(a.colOff) + "</xdr:colOff><xdr:row>" + std::to_string(a.row) +
           "</xdr:row><xdr:rowOff>" + std::to_string(a.rowOff) + "</xdr:rowOff></xdr:from><xdr:ext cx=\"" +
           std::to_string(a.cx) + "\" cy=\"" + std::to_string(a.cy) + "\"/>";
}

std::string TextBoxXml(const DrawingObject& object, int id, const std::string& defaultFont)
{
    const DrawingProps& p = object.props;
    std::string out = "<xdr:sp macro=\"\" textlink=\"\"><xdr:nvSpPr><xdr:cNvPr id=\"" + std::to_string(id) +
                      "\" name=\"TextBox " + std::to_string(id - 1) +
                      "\"/><xdr:cNvSpPr txBox=\"1\"/></xdr:nvSpPr><xdr:spPr>"
                      "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>";
    out += p.fillColor < 0 ? "<a:noFill/>"
                           : "<a:solidFill><a:srgbClr val=\"" + Rgb(static_cast<std::uint32_t>(p.fillColor)) +
                                 "\"/></a:solidFill>";
    if (p.lineStyle == 0) {
        out += "<a:ln><a:noFill/></a:ln>";
    } else {
        static const char* const dashes[] = {"solid", "solid", "dash", "sysDot", "dashDot"};
        out += "<a:ln w=\"" +
               std::to_string(std::llround(std::clamp(p.lineWeight, 0.0, 1584.0) * kEmuPerPoint)) +
               "\"><a:solidFill><a:srgbClr val=\"" + Rgb(p.lineColor) +
               "\"/></a:solidFill><a:prstDash val=\"" + dashes[std::clamp(p.lineStyle, 0, 4)] + "\"/>";
        if (p.arrowStart)
            out += "<a:headEnd type=\"triangle\"/>";
        if (p.arrowEnd)
            out += "<a:tailEnd type=\"triangle\"/>";
        out += "</a:ln>";
    }
    static const char* const anchors[] = {"t", "ctr", "b"};
    static const char* const aligns[] = {"l", "r", "ctr"};
    out +=
        "</xdr:spPr><xdr:txBody><a:bodyPr vertOverflow=\"clip\" horzOverflow=\"clip\" wrap=\"square\" "
        "rtlCol=\"0\" anchor=\"";
    out += anchors[std::clamp(p.vertical, 0, 2)];
    out += "\"";
    if (p.textMargin >= 0) {
        const std::string margin = std::to_string(MmToEmu(std::min(p.textMargin, 100.0)));
        out += " lIns=\"" + margin + "\" tIns=\"" + margin + "\" rIns=\"" + margin + "\" bIns=\"" + margin +
               "\"";
    }
    out += p.verticalText ? " vert=\"eaVert\"/>" : "/>";
    out += "<a:lstStyle/>";
    const std::string font = Escaped(p.fontName.empty() ? defaultFont : p.fontName, true);
    std::string runProps = " lang=\"ja-JP\" altLang=\"en-US\" sz=\"" +
                           std::to_string(std::llround(std::clamp(p.fontPoint, 1.0, 400.0) * 100)) + "\"";
    if (p.fontStyle & 1)
        runProps += " b=\"1\"";
    if (p.fontStyle & 2)
        runProps += " i=\"1\"";
    if (p.fontUnderline)
        runProps += p.fontUnderline == 2 ? " u=\"dbl\"" : " u=\"sng\"";
    const std::string runChildren = "<a:solidFill><a:srgbClr val=\"" + Rgb(p.fontColor) +
                                    "\"/></a:solidFill><a:latin typeface=\"" + font +
                                    "\"/><a:ea typeface=\"" + font + "\"/>";
    std::size_t begin = 0;
    do {
        const std::size_t end = std::min(object.text.find('\n', begin), object.text.size());
        const std::string line = object.text.substr(begin, end - begin);
        out += "<a:p><a:pPr algn=\"";
        out += aligns[std::clamp(p.horizontal, 0, 2)];
        out += "\"/>";
        if (line.empty()) {
            out += "<a:endParaRPr" + runProps + ">" + runChildren + "</a:endParaRPr>";
        } else {
            out += "<a:r><a:rPr" + runProps + ">" + runChildren + "</a:rPr><a:t>";
            AppendEscaped(out, line);
            out += "</a:t></a:r>";
        }
        out += "</a:p>";
        begin = end + 1;
    } while (begin <= object.text.size());
    out += "</xdr:txBody></xdr:sp>";
    return out;
}

}  // namespace

int Book::AddMedia(std::string bytes, const std::string& extension)
{
    // The same picture placed many times is stored once.
    const std::size_t hash = PictureKey(bytes);
    for (const int index : m_mediaByHash[hash]) {
        if (*m_media[index].bytes == bytes)
            return index;
    }
    m_media.push_back({std::make_shared<const std::string>(std::move(bytes)), extension});
    m_mediaByHash[hash].push_back(static_cast<int>(m_media.size()) - 1);
    return static_cast<int>(m_media.size()) - 1;
}

int Book::DrawingAddImage(const std::string& file, double x, double y, double, double, double width,
                          double height)
{
    if (!m_selected || !Current())
        return Fail(kErrorNoCellChosen, "no cell is chosen");
    if (!ValidBox(x, y, width, height))
        return Fail(50, "the picture's box is empty or out of range");
    std::string bytes;
    if (!ReadFileBytes(file, bytes))
        return Fail(51, "cannot read the picture " + file);
    const std::string extension = PictureExtension(bytes);
    if (extension.empty())
        return Fail(52, "not a picture the workbook can hold: " + file);
    DrawingObject object;
    object.media = AddMedia(std::move(bytes), extension);
    object.anchor = AnchorAt(*Current(), m_selection.r0, m_selection.c0, MmToEmu(x), MmToEmu(y),
                             MmToEmu(width), MmToEmu(height));
    Current()->drawings.push_back(std::move(object));
    return 1;
}

int Book::DrawingAddTextBox(int, const std::string& text, double x, double y, double, double, double width,
                            double height)
{
    if (!m_selected || !Current())
        return Fail(kErrorNoCellChosen, "no cell is chosen");
    if (!ValidBox(x, y, width, height))
        return Fail(50, "the text box is empty or out of range");
    DrawingObject object;
    object.text = CleanCellText(text);
    object.props = m_pending;
    object.anchor = AnchorAt(*Current(), m_selection.r0, m_selection.c0, MmToEmu(x), MmToEmu(y),
                             MmToEmu(width), MmToEmu(height));
    Current()->drawings.push_back(std::move(object));
    m_pending = DrawingProps();
    return 1;
}

std::string Book::DrawingXml(const Sheet& sheet, std::vector<int>& mediaOfRel) const
{
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    int id = 2;
    const std::string defaultFont = m_styles.DefaultFontName();
    for (const DrawingObject& object : sheet.drawings) {
        out += "<xdr:oneCellAnchor>" + AnchorXml(object.anchor);
        if (object.media >= 0) {
            auto rel = std::find(mediaOfRel.begin(), mediaOfRel.end(), object.media);
            if (rel == mediaOfRel.end())
                rel = mediaOfRel.insert(mediaOfRel.end(), object.media);
            const std::string rid = "rId" + std::to_string(rel - mediaOfRel.begin() + 1);
            out += "<xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"" + std::to_string(id) + "\" name=\"Picture " +
                   std::to_string(id - 1) +
                   "\"/><xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr></xdr:nvPicPr>"
                   "<xdr:blipFill><a:blip r:embed=\"" +
                   rid +
                   "\"/><a:stretch><a:fillRect/></a:stretch></xdr:blipFill><xdr:spPr><a:prstGeom "
                   "prst=\"rect\"><a:avLst/></a:prstGeom></xdr:spPr></xdr:pic>";
        } else {
            out += TextBoxXml(object, id, defaultFont);
        }
        out += "<xdr:clientData/></xdr:oneCellAnchor>";
        ++id;
    }
    out += "</xdr:wsDr>";
    return out;
}

}  // namespace xlsx
