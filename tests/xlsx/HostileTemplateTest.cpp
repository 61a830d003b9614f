// Templates built to hurt the reader: they are refused with a message, or what is copied from them
// into a workbook is made sound, so that every workbook written from a template opens.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <cmath>
#include <functional>
#include <pugixml.hpp>
#include <set>

#include "TempFolder.h"
#include "TemplateParts.h"
#include "WorkbookCheck.h"
#include "xlsx/Book.h"
#include "xlsx/ZipPackage.h"

namespace xlsx {
namespace {

using template_parts::Parts;
using template_parts::Repeated;
using template_parts::Replace;

constexpr const char* kSheet = "xl/worksheets/sheet1.xml";
constexpr const char* kTemplateSheet = "#一覧表";

std::string NestedRuns(int depth)
{
    return Repeated("<r>", depth) + "<t>x</t>" + Repeated("</r>", depth);
}

// The fixture with the damage applied, zipped as a template; empty when the damage found nothing to change.
std::string HostileTemplate(const TempFolder& folder, const std::function<bool(Parts&)>& damage)
{
    Parts parts = template_parts::FixtureParts();
    const std::string path = folder.file("hostile.xlsx").toStdString();
    std::string error;
    if (parts.empty() || !damage(parts) || !template_parts::Zip(parts, path, error))
        return {};
    return path;
}

std::string ReadPart(const std::string& book, const std::string& part)
{
    ZipReader zip;
    std::string error, data;
    if (!zip.Open(book, error) || !zip.Read(part, data, error))
        return {};
    return data;
}

TEST(HostileTemplate, IsRefusedWithAMessage)
{
    struct Case
    {
        const char* what;
        std::function<bool(Parts&)> damage;
    };
    const Case cases[] = {
        {"shared-string runs nested 60,000 deep",
         [](Parts& p) {
             return Replace(p["xl/sharedStrings.xml"], "<si><t>**備考</t></si>",
                            "<si>" + NestedRuns(60000) + "</si>");
         }},
        {"an inline string nested 60,000 deep",
         [](Parts& p) {
             return Replace(p[kSheet], "<c r=\"C3\" t=\"s\"><v>3</v></c>",
                            "<c r=\"C3\" t=\"inlineStr\"><is>" + NestedRuns(60000) + "</is></c>");
         }},
        {"a sheet of 600,000 empty rows",
         [](Parts& p) {
             return Replace(p[kSheet], "</sheetData>", Repeated("<row/>", 600'000) + "</sheetData>");
         }},
        {"an element with 600,000 attributes",
         [](Parts& p) {
             return Replace(p[kSheet], "<sheetPr>", "<sheetPr" + Repeated(" a=\"\"", 600'000) + ">");
         }},
        {"shared strings of 600,000 empty items",
         [](Parts& p) {
             return Replace(p["xl/sharedStrings.xml"], "</sst>", Repeated("<si/>", 600'000) + "</sst>");
         }},
        {"a style sheet of 600,000 fonts",
         [](Parts& p) {
             return Replace(p["xl/styles.xml"], "</fonts>", Repeated("<font/>", 600'000) + "</fonts>");
         }},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = HostileTemplate(folder, c.damage);
        ASSERT_FALSE(path.empty()) << c.what;
        Book book;
        book.PutFileName(path);
        EXPECT_EQ(book.StartFile(), 0) << c.what;
        EXPECT_FALSE(book.ErrorMessage().empty()) << c.what;
        EXPECT_EQ(book.PageBegin(kTemplateSheet, "1"), 0) << c.what;
    }
}

// A workbook written from the template: two copies of its sheet, one cell given a new number format
// and the page fitted, as the report writers do.
std::string WriteFrom(const std::string& templatePath, const TempFolder& folder, const std::string& sheetName)
{
    Book book;
    book.PutFileName(templatePath);
    if (book.StartFile() != 1)
        return {};
    for (int copy = 0; copy < 2; ++copy) {
        if (book.PageBegin(sheetName, "1") != 1 || book.Cell("B3") != 1 || book.AttrPutFormat("0.000") != 1 ||
            book.Cell("A1") != 1 || book.AttrPutFormat("#,##0.0000") != 1 ||
            book.PageAttrSize(1, 100, 9) != 1 || book.PageEnd() != 1)
            return {};
    }
    const std::string out = folder.file("out.xlsx").toStdString();
    return book.OutFile(out, -1) == 1 ? out : std::string();
}

// What openpyxl and a strict XML parser make of the workbook; fails the test on any problem.
QJsonObject CheckedDump(const std::string& book)
{
    const QJsonObject dump = workbook_check::Dump(QString::fromStdString(book));
    EXPECT_FALSE(dump.isEmpty()) << "openpyxl could not load the workbook";
    EXPECT_EQ(dump["problems"].toArray(), QJsonArray())
        << QJsonDocument(dump["problems"].toArray()).toJson().toStdString();
    return dump;
}

TEST(HostileTemplate, NumberFormatIdsStayInRange)
{
    TempFolder folder;
    const std::string path = HostileTemplate(folder, [](Parts& p) {
        std::string& styles = p["xl/styles.xml"];
        return Replace(styles, "<fonts",
                       "<numFmts count=\"3\"><numFmt numFmtId=\"2147483647\" formatCode=\"0.0\"/>"
                       "<numFmt numFmtId=\"-7\" formatCode=\"0.00000\"/>"
                       "<numFmt numFmtId=\"170\" formatCode=\"0.0%\"/></numFmts><fonts") &&
               Replace(styles, "<xf numFmtId=\"0\" fontId=\"1\"",
                       "<xf numFmtId=\"2147483647\" fontId=\"1\"") &&
               Replace(styles, "<cellStyleXfs count=\"2\"><xf numFmtId=\"0\"",
                       "<cellStyleXfs count=\"2\"><xf numFmtId=\"99999\"");
    });
    ASSERT_FALSE(path.empty());
    const std::string out = WriteFrom(path, folder, kTemplateSheet);
    ASSERT_FALSE(out.empty());

    pugi::xml_document styles;
    ASSERT_TRUE(styles.load_string(ReadPart(out, "xl/styles.xml").c_str()));
    std::set<long long> listed;
    for (pugi::xml_node f : styles.child("styleSheet").child("numFmts").children("numFmt"))
        listed.insert(f.attribute("numFmtId").as_llong());
    // The template's own valid custom format stays; the new ones take the free ids above the built-in ones.
    EXPECT_EQ(listed, (std::set<long long>{164, 165, 170}));
    for (const char* group : {"cellStyleXfs", "cellXfs"}) {
        for (pugi::xml_node xf : styles.child("styleSheet").child(group).children("xf")) {
            const long long id = xf.attribute("numFmtId").as_llong();
            EXPECT_TRUE((id >= 0 && id < 164) || listed.count(id))
                << group << " names the missing format " << id;
        }
    }
    const QJsonObject formats =
        CheckedDump(out)["sheet"][QString::fromUtf8(kTemplateSheet)]["formats"].toObject();
    EXPECT_EQ(formats["B3"].toString(), "0.000");
    EXPECT_EQ(formats["A1"].toString(), "#,##0.0000");
}

TEST(HostileTemplate, OutOfRangeMeasuresAreClamped)
{
    TempFolder folder;
    const std::string path = HostileTemplate(folder, [](Parts& p) {
        std::string& sheet = p[kSheet];
        return Replace(sheet, "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\"",
                       "<pageMargins left=\"1e35\" right=\"-4\" top=\"nan\" bottom=\"1e308\"") &&
               Replace(sheet, "width=\"15.625\"", "width=\"1e308\"") &&
               Replace(sheet, "ht=\"21\"", "ht=\"1e308\"") &&
               Replace(sheet, "<sheetFormatPr defaultRowHeight=\"13.5\"",
                       "<sheetFormatPr defaultRowHeight=\"1e308\" baseColWidth=\"2147483647\" "
                       "defaultColWidth=\"-inf\" outlineLevelRow=\"99\"") &&
               Replace(sheet, "<pageSetup paperSize=\"9\" orientation=\"portrait\"",
                       "<pageSetup paperSize=\"9\" orientation=\"portrait\" pageOrder=\"upward\" "
                       "fitToHeight=\"-1\" "
                       "unknownSetting=\"1\" copies=\"2\"") &&
               Replace(
                   sheet, "</worksheet>",
                   "<rowBreaks count=\"3\" manualBreakCount=\"3\"><brk id=\"2147483647\" max=\"16383\" "
                   "man=\"1\"/><brk id=\"-5\" man=\"1\"/><brk id=\"2\" max=\"16383\" man=\"1\"/></rowBreaks>"
                   "<colBreaks count=\"2\" manualBreakCount=\"2\"><brk id=\"2147483647\" man=\"1\"/>"
                   "<brk id=\"2\" max=\"2147483647\" man=\"1\"/></colBreaks></worksheet>");
    });
    ASSERT_FALSE(path.empty());
    const std::string out = WriteFrom(path, folder, kTemplateSheet);
    ASSERT_FALSE(out.empty());

    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(ReadPart(out, kSheet).c_str()));
    const pugi::xml_node sheet = doc.child("worksheet");
    const auto inRange = [](pugi::xml_attribute a, double low, double high) {
        const double v = a.as_double(NAN);
        return std::isfinite(v) && v >= low && v <= high;
    };
    for (pugi::xml_attribute margin : sheet.child("pageMargins").attributes())
        EXPECT_TRUE(inRange(margin, 0, 500 / 25.4)) << margin.name() << "=" << margin.value();
    for (pugi::xml_node col : sheet.child("cols").children("col"))
        EXPECT_TRUE(inRange(col.attribute("width"), 0, 256)) << col.attribute("width").value();
    for (pugi::xml_node row : sheet.child("sheetData").children("row")) {
        if (row.attribute("ht")) {
            EXPECT_TRUE(inRange(row.attribute("ht"), 0, 409)) << row.attribute("ht").value();
        }
    }
    const pugi::xml_node format = sheet.child("sheetFormatPr");
    EXPECT_TRUE(inRange(format.attribute("defaultRowHeight"), 0, 409))
        << format.attribute("defaultRowHeight").value();
    EXPECT_TRUE(inRange(format.attribute("baseColWidth"), 0, 255))
        << format.attribute("baseColWidth").value();
    EXPECT_FALSE(format.attribute("defaultColWidth")) << format.attribute("defaultColWidth").value();
    EXPECT_TRUE(inRange(format.attribute("outlineLevelRow"), 0, 7))
        << format.attribute("outlineLevelRow").value();

    std::set<std::string> setup;
    for (pugi::xml_attribute a : sheet.child("pageSetup").attributes())
        setup.insert(std::string(a.name()) + "=" + a.value());
    // What a template gives that is not a valid setting is left out; the library's own settings stay.
    EXPECT_EQ(setup, (std::set<std::string>{"copies=2", "orientation=portrait", "paperSize=9", "scale=10"}));

    std::vector<int> rowBreaks, colBreaks;
    for (pugi::xml_node b : sheet.child("rowBreaks").children("brk"))
        rowBreaks.push_back(b.attribute("id").as_int());
    for (pugi::xml_node b : sheet.child("colBreaks").children("brk")) {
        colBreaks.push_back(b.attribute("id").as_int());
        EXPECT_LE(b.attribute("max").as_llong(), 1048575);
    }
    EXPECT_EQ(rowBreaks, std::vector<int>{2});
    EXPECT_EQ(colBreaks, std::vector<int>{2});
    CheckedDump(out);
}

TEST(HostileTemplate, CopiedContentStaysWellFormed)
{
    TempFolder folder;
    const std::string longName = "a/b:c*d?e[f]\\" + std::string(290, 'x');
    const std::string path = HostileTemplate(folder, [&](Parts& p) {
        const std::string ns = " xmlns:x14ac=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac\"";
        std::string& sheet = p[kSheet];
        return Replace(sheet, ns, ns + ns) &&
               Replace(sheet, "<sheetView tabSelected=\"1\" workbookViewId=\"0\"",
                       "<sheetView tabSelected=\"1\" workbookViewId=\"0\" workbookViewId=\"0\"") &&
               Replace(sheet, "<pageSetup paperSize=\"9\" orientation=\"portrait\" r:id=\"rId1\"/>",
                       "<pageSetup xmlns=\"urn:example:foreign\" paperSize=\"8\" fitToWidth=\"3\"/>") &&
               Replace(p["xl/sharedStrings.xml"], "<t xml:space=\"preserve\">",
                       "<t xml:space=\"preserve\" xml:space=\"preserve\">") &&
               Replace(p["xl/styles.xml"], "xfId=\"0\" builtinId=\"0\"",
                       "xfId=\"0\" xfId=\"0\" builtinId=\"0\"") &&
               Replace(p["xl/workbook.xml"], "name=\"#一覧表\"", "name=\"" + longName + "\"") &&
               Replace(p["xl/workbook.xml"], "'#一覧表'!$A$1", "'" + longName + "'!$A$1");
    });
    ASSERT_FALSE(path.empty());
    const std::string out = WriteFrom(path, folder, longName);
    ASSERT_FALSE(out.empty());

    const QJsonObject dump = CheckedDump(out);
    const QJsonArray names = dump["sheets"].toArray();
    ASSERT_EQ(names.size(), 2);
    EXPECT_NE(names[0], names[1]);
    for (const auto& name : names) {
        const QString text = name.toString();
        EXPECT_FALSE(text.isEmpty());
        EXPECT_LE(text.size(), 31) << text.toStdString();
        EXPECT_FALSE(text.contains(QRegularExpression("[][/\\\\:*?]"))) << text.toStdString();
    }
    // The copy's print area follows it under its new name.
    EXPECT_EQ(dump["sheet"][names[0].toString()]["print_area"].toString(), "$A$1:$C$5");
    const std::string sheet = ReadPart(out, kSheet);
    EXPECT_EQ(sheet.find("urn:example:foreign"), std::string::npos);
    EXPECT_EQ(sheet.find("fitToWidth"), std::string::npos);
}

}  // namespace
}  // namespace xlsx
