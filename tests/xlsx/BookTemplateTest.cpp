// A workbook written from a small template, read back with openpyxl and printed with LibreOffice.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <pugixml.hpp>

#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "xlsx/Book.h"
#include "xlsx/ZipPackage.h"

namespace xlsx {
namespace {

std::string Utf8(const QString& text)
{
    return text.toStdString();
}

class BookTemplateTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_template = m_folder.file("template.xlsx");
        int code = 0;
        workbook_check::Run("/usr/bin/python3",
                            {KELVOR_SOURCE_DIR "/tests/xlsx/data/make_template.py", m_template}, &code);
        ASSERT_EQ(code, 0);
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        m_picture = m_folder.file("photo.jpg");
        ASSERT_TRUE(picture.save(m_picture, "JPEG"));
    }

    // Two ledger pages from the "#台帳" template and one cover sheet, as the report writers lay them.
    void WriteReport(Book& book)
    {
        book.PutFileName(Utf8(m_template));
        ASSERT_EQ(book.StartFile(), 1) << book.ErrorMessage();
        book.OptionPutDefaultCell("A1");
        ASSERT_EQ(book.PrinterPutPrintQuality(600), 1);
        ASSERT_EQ(book.PageBegin("#台帳", "1"), 1);
        ASSERT_EQ(book.PageName("台帳"), 1);
        for (int page = 0; page < 2; ++page) {
            ASSERT_EQ(book.PageStart(1, 10), 1);
            ASSERT_EQ(book.Cell("**タイトル"), 1);
            book.PutValueString("写真台帳 " + std::to_string(page + 1));
            ASSERT_EQ(book.Cell("**写真番号12"), 1);
            book.PutValueString("No.12");
            ASSERT_EQ(book.Cell("**写真番号1"), 1);
            book.PutValueString("No.1");
            ASSERT_EQ(book.Cell("**コメント1"), 1);
            book.PutValueString("  前後に空白\r\n二行目 ");
            ASSERT_EQ(book.Cell("B6"), 1);
            book.PutValueDouble(35.123456789012345);
            book.AttrPutFormat("###0.000000");
            ASSERT_EQ(book.Cell("A2"), 1);
            ASSERT_EQ(book.DrawingAddImage(Utf8(m_picture), 2, 1, 0, 0, 40, 30), 1);
            ASSERT_EQ(book.PageNext(1), 1);
        }
        ASSERT_EQ(book.PageAttrPrintArea(0, 0, 3, 19), 1);
        ASSERT_EQ(book.PageEnd(), 1);

        ASSERT_EQ(book.PageBegin("#表紙", "1"), 1);
        ASSERT_EQ(book.PageName("表紙"), 1);
        ASSERT_EQ(book.Cell("**件名"), 1);
        book.PutValueString("〇〇線道路改良工事 <&>");
        book.PendingDrawing().fillColor = 0xFFFFFF;
        book.PendingDrawing().fontPoint = 8;
        book.PendingDrawing().horizontal = 2;
        book.PendingDrawing().textMargin = 0.3;
        ASSERT_EQ(book.Cell("C4"), 1);
        ASSERT_EQ(book.DrawingAddTextBox(5, "元ファイル名\nIMG_0001.JPG", 0, -2, 0, 0, 24.5, 4.5), 1);
        ASSERT_EQ(book.PageEnd(), 1);
        EXPECT_EQ(book.PageTotalCount(), 2);
    }

    TempFolder m_folder;
    QString m_template, m_picture;
};

TEST_F(BookTemplateTest, OpenpyxlReadsWhatWasWritten)
{
    Book book;
    WriteReport(book);
    const QString out = m_folder.file("report.xlsx");
    ASSERT_EQ(book.OutFile(Utf8(out), -1), 1) << book.ErrorMessage();

    const QJsonObject dump = workbook_check::Dump(out);
    ASSERT_FALSE(dump.isEmpty()) << "openpyxl could not load the workbook";
    EXPECT_EQ(dump["problems"].toArray(), QJsonArray())
        << QJsonDocument(dump["problems"].toArray()).toJson().toStdString();
    EXPECT_EQ(dump["sheets"].toArray(), QJsonArray({"台帳", "表紙"}));

    const QJsonObject ledger = dump["sheet"]["台帳"].toObject();
    const QJsonObject cells = ledger["cells"].toObject();
    // Each page is a fresh copy of template rows 1-10; the second starts in row 11.
    EXPECT_EQ(cells["A1"].toString(), "写真台帳 1");
    EXPECT_EQ(cells["A11"].toString(), "写真台帳 2");
    // A placeholder matches the whole text only: "**写真番号1" is not "**写真番号12".
    EXPECT_EQ(cells["B3"].toString(), "No.1");
    EXPECT_EQ(cells["B4"].toString(), "No.12");
    EXPECT_EQ(cells["B14"].toString(), "No.12");
    EXPECT_EQ(cells["C3"].toString(), "  前後に空白\n二行目 ");
    // "**コメント1_1" was never written: leftover placeholders are cleared, fixed texts stay.
    EXPECT_FALSE(cells.contains("C4"));
    EXPECT_FALSE(cells.contains("D8"));
    EXPECT_EQ(cells["A9"].toString(), "固定の注記");
    EXPECT_EQ(cells["A19"].toString(), "固定の注記");
    EXPECT_EQ(cells["B6"].toDouble(), 35.123456789012345);
    EXPECT_EQ(ledger["formats"]["B16"].toString(), "###0.000000");
    EXPECT_EQ(ledger["print_area"].toString(), "$A$1:$D$20");
    EXPECT_EQ(dump["names"].toArray(),
              QJsonArray({QJsonArray{"_xlnm.Print_Area", "0", "'台帳'!$A$1:$D$20"}}));
    EXPECT_EQ(ledger["breaks"].toArray(), QJsonArray({10}));
    EXPECT_NEAR(ledger["widths"]["B"].toDouble(), 20, 1e-9);
    EXPECT_EQ(ledger["heights"]["2"].toDouble(), 30);
    EXPECT_EQ(ledger["heights"]["12"].toDouble(), 30);
    EXPECT_EQ(ledger["merged"].toArray(), QJsonArray({"A11:D11", "A1:D1"}));
    EXPECT_EQ(ledger["images"].toArray(), QJsonArray({QJsonArray{0, 1}, QJsonArray{0, 11}}));
    EXPECT_EQ(ledger["dpi"].toVariant().toInt(), 600);

    const QJsonObject cover = dump["sheet"]["表紙"].toObject()["cells"].toObject();
    EXPECT_EQ(cover["A1"].toString(), "〇〇線道路改良工事 <&>");
    EXPECT_FALSE(cover.contains("B2"));
}

// Text boxes are not read by openpyxl: their drawing part is checked directly.
TEST_F(BookTemplateTest, TextBoxTakesThePendingPropertiesAndItsAnchor)
{
    Book book;
    WriteReport(book);
    const QString out = m_folder.file("report.xlsx");
    ASSERT_EQ(book.OutFile(Utf8(out), -1), 1) << book.ErrorMessage();
    ZipReader zip;
    std::string error, xml;
    ASSERT_TRUE(zip.Open(Utf8(out), error));
    ASSERT_TRUE(zip.Read("xl/drawings/drawing2.xml", xml, error)) << error;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(xml.c_str()));
    const pugi::xml_node anchor = doc.child("xdr:wsDr").child("xdr:oneCellAnchor");
    const pugi::xml_node from = anchor.child("xdr:from");
    // C4 moved 2 mm up lies in row 3, 15 pt − 2 mm from its top.
    EXPECT_EQ(from.child("xdr:col").text().as_int(), 2);
    EXPECT_EQ(from.child("xdr:colOff").text().as_llong(), 0);
    EXPECT_EQ(from.child("xdr:row").text().as_int(), 2);
    EXPECT_EQ(from.child("xdr:rowOff").text().as_llong(), 15 * 12700 - 2 * 36000);
    EXPECT_EQ(anchor.child("xdr:ext").attribute("cx").as_llong(), 882000);
    EXPECT_EQ(anchor.child("xdr:ext").attribute("cy").as_llong(), 162000);
    const pugi::xml_node shape = anchor.child("xdr:sp");
    EXPECT_STREQ(shape.child("xdr:spPr").child("a:solidFill").child("a:srgbClr").attribute("val").value(),
                 "FFFFFF");
    // The text keeps 0.3 mm from every edge.
    const pugi::xml_node body = shape.child("xdr:txBody").child("a:bodyPr");
    for (const char* side : {"lIns", "tIns", "rIns", "bIns"})
        EXPECT_EQ(body.attribute(side).as_llong(), 10800) << side;
    std::vector<std::string> lines;
    for (pugi::xml_node p : shape.child("xdr:txBody").children("a:p")) {
        EXPECT_STREQ(p.child("a:pPr").attribute("algn").value(), "ctr");
        EXPECT_EQ(p.child("a:r").child("a:rPr").attribute("sz").as_int(), 800);
        lines.push_back(p.child("a:r").child_value("a:t"));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"元ファイル名", "IMG_0001.JPG"}));
    // The pending properties went back to their defaults after the box.
    EXPECT_EQ(book.PendingDrawing().fontPoint, 11);
}

// Copies left with their template's name are told apart within the 31 characters a name may have,
// and a name with a line break or a forbidden character is refused.
TEST_F(BookTemplateTest, CopiesKeepValidUniqueNames)
{
    Book book;
    book.PutFileName(Utf8(m_template));
    ASSERT_EQ(book.StartFile(), 1);
    const std::string longName = "#一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十";
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(book.PageBegin(longName, "1"), 1);
    EXPECT_EQ(book.PageName("二行\n目"), 0);
    EXPECT_EQ(book.PageName("a/b"), 0);
    EXPECT_EQ(book.PageBegin("#無い", "1"), 0);
    const QString out = m_folder.file("names.xlsx");
    ASSERT_EQ(book.OutFile(Utf8(out), -1), 1) << book.ErrorMessage();
    const QJsonObject dump = workbook_check::Dump(out);
    ASSERT_FALSE(dump.isEmpty());
    const QJsonArray names = dump["sheets"].toArray();
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(names[0].toString(), QString::fromStdString(longName));
    EXPECT_EQ(names[1].toString(), QString::fromStdString(longName).left(27) + " (2)");
    EXPECT_EQ(names[2].toString(), QString::fromStdString(longName).left(27) + " (3)");
}

TEST_F(BookTemplateTest, LibreOfficePrintsOnePagePerBlockWithoutPlaceholders)
{
    Book book;
    WriteReport(book);
    const QString out = m_folder.file("report.xlsx");
    ASSERT_EQ(book.OutFile(Utf8(out), -1), 1) << book.ErrorMessage();
    const workbook_check::Pdf pdf = workbook_check::ConvertToPdf(out, m_folder.path());
    EXPECT_EQ(pdf.pages, 3);
    EXPECT_FALSE(pdf.text.contains("**"));
    EXPECT_TRUE(pdf.text.contains("写真台帳 2"));
    EXPECT_TRUE(pdf.text.contains("〇〇線道路改良工事"));
    workbook_check::Keep(out);
    workbook_check::Keep(pdf.path);
}

}  // namespace
}  // namespace xlsx
