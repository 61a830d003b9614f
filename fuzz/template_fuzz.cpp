// Feeds arbitrary templates to the workbook library. The input is either a zip package as it stands
// (it starts with "PK") or the parts of one as text, each after a line "@@ <part name>", zipped here so
// that mutations reach the XML instead of breaking the package's checksums. Whatever the input,
// reading must end without a crash or a leak; a template that reads must give a workbook that is
// written, holds only well-formed parts with sound names and numbers, and reads again as a template.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx/Book.h"
#include "xlsx/TemplateReader.h"
#include "xlsx/ZipPackage.h"

namespace {

constexpr std::size_t kMaxParts = 64;
constexpr std::string_view kSeparator = "\n@@ ";

const std::string& Folder()
{
    static const std::string folder = [] {
        char name[] = "/tmp/template_fuzz.XXXXXX";
        return std::string(mkdtemp(name) ? name : "/tmp");
    }();
    return folder;
}

bool WriteBytes(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

// The parts written as text, zipped without compression.
bool WriteParts(const std::string& path, std::string_view text)
{
    std::vector<xlsx::PackagePart> parts;
    const std::string input = "\n" + std::string(text);
    for (std::size_t at = input.find(kSeparator); at != std::string::npos && parts.size() < kMaxParts;) {
        const std::size_t nameStart = at + kSeparator.size();
        const std::size_t nameEnd = input.find('\n', nameStart);
        if (nameEnd == std::string::npos)
            break;
        const std::size_t next = input.find(kSeparator, nameEnd);
        const std::string name = input.substr(nameStart, nameEnd - nameStart);
        const std::size_t end = next == std::string::npos ? input.size() : next;
        if (!name.empty())
            parts.push_back(
                {name, std::make_shared<const std::string>(input.substr(nameEnd + 1, end - nameEnd - 1)),
                 false});
        at = next;
    }
    std::string error;
    return !parts.empty() && xlsx::WritePackage(path, parts, error);
}

bool SoundSheetName(const std::string& name)
{
    std::size_t units = 0;
    for (const unsigned char c : name)
        units += (c & 0xC0) != 0x80 ? (c >= 0xF0 ? 2 : 1) : 0;
    return units >= 1 && units <= 31 && name.find_first_of("[]:*?/\\") == std::string::npos;
}

// Every element of the part has each attribute once: a tolerant parser would not notice otherwise.
bool AttributesUnique(pugi::xml_document& doc)
{
    struct Walker : pugi::xml_tree_walker
    {
        bool unique = true;
        bool for_each(pugi::xml_node& node) override
        {
            std::set<std::string_view> names;
            for (pugi::xml_attribute a = node.first_attribute(); a && unique; a = a.next_attribute())
                unique = names.insert(a.name()).second;
            return unique;
        }
    } walker;
    doc.traverse(walker);
    return walker.unique;
}

// Aborts when a written part is not sound.
void CheckWritten(const std::string& path)
{
    xlsx::ZipReader zip;
    std::string error, data;
    if (!zip.Open(path, error))
        std::abort();
    const auto load = [&](const std::string& part, pugi::xml_document& doc) {
        if (!zip.Read(part, data, error) || !doc.load_buffer(data.data(), data.size()) ||
            !AttributesUnique(doc))
            std::abort();
    };
    pugi::xml_document workbook, styles, sheet;
    load("xl/workbook.xml", workbook);
    int index = 0;
    for (pugi::xml_node s : workbook.child("workbook").child("sheets").children("sheet")) {
        if (!SoundSheetName(s.attribute("name").value()))
            std::abort();
        load("xl/worksheets/sheet" + std::to_string(++index) + ".xml", sheet);
    }
    load("xl/styles.xml", styles);
    for (pugi::xml_node f : styles.child("styleSheet").child("numFmts").children("numFmt")) {
        const long long id = f.attribute("numFmtId").as_llong(-1);
        if (id < 0 || id > 0xFFFF)
            std::abort();
    }
    if (zip.Has("xl/sharedStrings.xml")) {
        pugi::xml_document strings;
        load("xl/sharedStrings.xml", strings);
    }
}

// Lays the first template sheets as the report writers do: pages, values, formats, a text box and a
// fitted page. Calls may fail on what the template holds; the workbook must be written all the same.
void WriteReport(xlsx::Book& book, const std::vector<std::string>& sheets)
{
    for (std::size_t i = 0; i < sheets.size() && i < 4; ++i) {
        if (!book.PageBegin(sheets[i], "1"))
            continue;
        for (int page = 0; page < 2; ++page) {
            book.PageStart(1, page == 0 ? -1 : 5);
            if (book.Cell("A1")) {
                book.PutValueString("値 " + std::to_string(page));
                book.AttrPutFormat("0.000");
                book.AttrPutFontStyle(1);
                book.AttrPutBox(0x1000000, 1, 0);
            }
            if (book.Cell("B2"))
                book.DrawingAddTextBox(5, "枠", 0, 0, 0, 0, 20, 5);
            book.PageNext(1);
        }
        book.PageAttrMargin(10, 10, 10, 10, 5, 5);
        book.PageAttrSize(0, 100, 9);
        book.PageEnd();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = Folder() + "/input.xlsx";
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::remove(input.c_str());
    const bool written = text.substr(0, 2) == "PK" ? WriteBytes(input, data, size) : WriteParts(input, text);
    if (!written)
        return 0;
    xlsx::TemplateContent content;
    std::string error;
    if (!xlsx::ReadTemplate(input, content, error))
        return 0;
    std::vector<std::string> sheets;
    for (const auto& sheet : content.sheets)
        sheets.push_back(sheet->name);

    xlsx::Book book;
    book.PutFileName(input);
    if (!book.StartFile())
        std::abort();  // the library reads what the reader took
    WriteReport(book, sheets);
    if (book.PageTotalCount() == 0)
        return 0;
    const std::string output = Folder() + "/output.xlsx";
    if (!book.OutFile(output, -1))
        std::abort();
    CheckWritten(output);
    xlsx::TemplateContent again;
    if (!xlsx::ReadTemplate(output, again, error))
        std::abort();
    return 0;
}
