#pragma once

#include <QString>
#include <string>
#include <vector>

#include "cad/DxfLines.h"

namespace fe::cad {

class Block;
class Document;
class Figure;

// Writes a Document as an ASCII DXF drawing: AC1012 (version 2), AC1021 (version 6) or AC1014
// (any other version). A drawing of version 6 is stored as UTF-8, older ones as code page 932,
// as their $DWGCODEPAGE says; lines end in CR LF and there is no byte-order mark.
//
// Use: Reset, set version, nextHandle and textMode, then Write (or WriteDxfFile). Handles are
// issued from nextHandle; the fixed table handles 1-A are not.
class Dxf
{
public:
    Dxf() { Reset(); }

    void Reset();

    // Renders the whole drawing into out (emptied first). The drawing is written in one go and its
    // $HANDSEED filled in at the end, so the first and the second pass give the same bytes; the
    // second pass issues the handles of the first again.
    void Write(const Document& document, std::string& out, bool secondPass);

    // Writes the drawing to the file, replacing it whole or not at all (see WriteDxfFile).
    void WriteFile(const Document& document, const QString& path);

    // Throws fe::Failure("DxfLoader:" + file name + "\nL" + line + "\n#" + code + "\nファイルを開けません").
    [[noreturn]] void ThrowOpenError() const;

    // Text modes: 1 a style with the shape fonts, 2 a style with a TrueType font, other the plain style.
    static constexpr int kTextModeShapeFont = 1;
    static constexpr int kTextModeTrueType = 2;

    QString fileName;
    int line = 0;
    int code = 2147483647;
    int version = 10;
    int nextHandle = 0;
    int textMode = 0;

private:
    // Value writers, one line each.
    void WriteGroupCode(int code) { m_out.Code(code); }
    void WriteInt(int value, int width) { m_out.Int(value, width); }
    void WriteReal(double value) { m_out.Real(value); }
    void WriteText(const QString& text) { m_out.Text(text); }
    // Group 5 (105 with the flag) and the next handle, which it returns; the counter moves on.
    int WriteHandle(bool flag = false);
    // A group code followed by one literal line.
    void Group(int code, std::string_view literal);
    void GroupInt(int code, int value, int width = 6);
    void GroupReal(int code, double value);
    void GroupFixed6(int code, double value);
    void GroupText(int code, const QString& text);
    void GroupHex(int code, int handle);
    void GroupEncoded(int code, const std::string& bytes);
    // Renders the drawing into m_head (up to the $HANDSEED value) and m_out (after it).
    void Render(const Document& document, bool secondPass);
    // The $HANDSEED value line.
    std::string SeedLine() const;

    void WriteHeader(const Document& document);
    void WriteClasses();
    void WriteTables(const Document& document);
    void WriteVport(const Document& document);
    void WriteLtype();
    void WriteLayers(const Document& document);
    void WriteStyle();
    void WriteAppid();
    void WriteDimstyle();
    void WriteBlockRecords(const Document& document);
    void BeginTable(std::string_view name, int handle, int entryCount);
    // Starts a table entry and returns its handle.
    int BeginEntry(std::string_view table, int tableHandle, std::string_view subclass,
                   bool handle105 = false);
    void WriteBlocks(const Document& document);
    void WriteEntities(const Document& document);
    void WriteObjects();

    // Entity records; layer is the name written as group 8, already encoded.
    void WriteEntity(const Figure& figure, const std::string& layer);
    void WriteEntityHead(std::string_view name, const Figure& figure, const std::string& layer, int owner,
                         bool withColour);
    void WriteLine(const Figure& figure, const std::string& layer);
    void WritePolyline(const Figure& figure, const std::string& layer);
    void WriteLWPolyline(const Figure& figure, const std::string& layer);
    void WriteCircle(const Figure& figure, const std::string& layer);
    void WriteTextEntity(const Figure& figure, const std::string& layer);
    void WriteMText(const Figure& figure, const std::string& layer);

    DxfLines m_out;
    int m_savedHandle = 0;
    int m_plotStyleHandle = 0;
    int m_modelSpaceHandle = 0;
    int m_paperSpaceHandle = 0;
    std::vector<int> m_blockRecordHandles;
    int m_multilineStyleHandle = -1;
    std::string m_head;
};

// The name callers use for the writer.
using DxfWriter = Dxf;

// Writes the document to the file, replacing it whole or not at all. Throws the open-error text
// (ThrowOpenError, naming the file) when the file cannot be made and fe::Failure("File.writeLine")
// when writing or putting it in place fails; the old file then stays as it was.
void WriteDxfFile(Dxf& writer, const Document& document, const QString& path);

}  // namespace fe::cad
