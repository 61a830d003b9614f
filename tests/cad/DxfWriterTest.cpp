#include <gtest/gtest.h>

#include <QByteArray>
#include <clocale>
#include <cstdio>
#include <set>

#include "DxfSample.h"
#include "DxfTextHelpers.h"
#include "cad/DxfLines.h"

using namespace fe::cad;

TEST(DxfValues, LinesAndNumbers)
{
    DxfLines out;
    out.Start(DxfLines::Encoding::Utf8);
    out.Code(0);
    out.Code(10);
    out.Code(330);
    out.Code(1001);
    out.Int(256, 6);
    out.Int(4, 9);
    out.Int(-3, 0);
    out.Real(2.5);
    out.Real(0.0);
    out.Real(-0.25);
    out.Real(3.0);
    out.Real(139.7);
    out.Fixed6(2.5);
    out.Real(90.0, 1, false);
    out.Hex(0x2B);
    EXPECT_EQ(out.Bytes(),
              "  0\r\n 10\r\n330\r\n1001\r\n   256\r\n        4\r\n-3\r\n2.5\r\n0.0\r\n-0.25\r\n3.0\r\n"
              "139.6999999999999886\r\n2.500000\r\n90.0\r\n2B\r\n");
}

TEST(DxfValues, TextValuesStayOnOneLine)
{
    DxfLines out;
    out.Start(DxfLines::Encoding::Utf8);
    out.Text(QString::fromUtf8("一行目\r\n二行目\n三\r四"));
    EXPECT_EQ(out.Bytes(), "一行目 二行目 三 四\r\n");
}

TEST(DxfValues, DrawingIsTheSameUnderADecimalCommaLocale)
{
    auto doc = MakeSampleDrawing();
    doc->FindLayer(QString::fromUtf8("写真位置"))->children.front()->colour = 1;
    const std::string plain = RenderDxf(*doc, 6);

    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is missing";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 2.5);
    const std::string underComma = RenderDxf(*doc, 6);
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_STREQ(probe, "2,5") << "the locale did not switch to a decimal comma";
    EXPECT_EQ(underComma, plain);
    EXPECT_TRUE(Contains(plain, " 40\r\n2.500000\r\n"));
}

TEST(DxfWriter, VersionTable)
{
    struct Case
    {
        int version;
        const char* acadver;
        const char* codepage;
        bool handling;
        const char* dimstyle;
        bool psext;
        bool classCount;
        bool plotDictionaries;
        const char* handseed;
    };
    const Case cases[] = {
        {2, "AC1012", "dos932", true, "STANDARD", false, false, false, "24"},
        {3, "AC1014", "ANSI_932", true, "STANDARD", false, false, false, "24"},
        {4, "AC1014", "ANSI_932", false, "ISO-25", true, false, true, "25"},
        {6, "AC1021", "ANSI_932", false, "ISO-25", true, true, true, "25"},
        {10, "AC1014", "ANSI_932", false, "ISO-25", true, true, true, "25"},
    };
    Document empty;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const std::string text = RenderDxf(empty, c.version);
        EXPECT_TRUE(Contains(text, std::string("  9\r\n$ACADVER\r\n  1\r\n") + c.acadver + "\r\n"));
        EXPECT_TRUE(Contains(text, std::string("  9\r\n$DWGCODEPAGE\r\n  3\r\n") + c.codepage + "\r\n"));
        EXPECT_EQ(Contains(text, "$HANDLING\r\n 70\r\n1\r\n"), c.handling);
        EXPECT_TRUE(Contains(text, std::string("AcDbDimStyleTableRecord\r\n  2\r\n") + c.dimstyle + "\r\n"));
        EXPECT_EQ(Contains(text, "ACAD_PSEXT"), c.psext);
        EXPECT_EQ(Contains(text, " 91\r\n        3\r\n"), c.classCount);
        EXPECT_EQ(Contains(text, "ACDBDICTIONARYWDFLT\r\n  5\r\n"), c.plotDictionaries);
        EXPECT_EQ(Contains(text, "ACAD_PLOTSTYLENAME"), c.plotDictionaries);
        EXPECT_TRUE(Contains(text, std::string("$HANDSEED\r\n  5\r\n") + c.handseed + "\r\n"));
        EXPECT_FALSE(Contains(text, "$CLAYER"));
        EXPECT_FALSE(Contains(text, "$LIMMIN"));
        EXPECT_TRUE(Contains(text, "  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n"));
    }
}

TEST(DxfWriter, HeaderFromTheDocument)
{
    auto doc = MakeSampleDrawing();
    doc->header.limits = Rect2(0, 0, 100, 50);
    doc->header.viewHeight = 120;
    const std::string text = RenderDxf(*doc, 6);
    EXPECT_TRUE(Contains(text, "$EXTMIN\r\n 10\r\n0.000000\r\n 20\r\n0.000000\r\n 30\r\n0.0\r\n"));
    EXPECT_TRUE(Contains(text, "$EXTMAX\r\n 10\r\n140.000000\r\n 20\r\n234.000000\r\n"));
    EXPECT_TRUE(Contains(text,
                         "$LIMMIN\r\n 10\r\n0.000000\r\n 20\r\n0.000000\r\n  9\r\n$LIMMAX\r\n 10\r\n"
                         "100.000000\r\n 20\r\n50.000000\r\n  9\r\n$LIMCHECK\r\n 70\r\n     0\r\n"));
    EXPECT_TRUE(Contains(text, "  9\r\n$CLAYER\r\n  8\r\n写真位置\r\n"));
    EXPECT_TRUE(Contains(text, " 37\r\n0.0\r\n 40\r\n120.0\r\n 42\r\n50.0\r\n"));
    // A layer named defpoints in any case is not plotted.
    EXPECT_TRUE(
        Contains(text,
                 "  2\r\nDefPoints\r\n 70\r\n     0\r\n 62\r\n     7\r\n  6\r\nCONTINUOUS\r\n290\r\n0\r\n"
                 "370\r\n    -3\r\n390\r\n0\r\n"));
    EXPECT_TRUE(Contains(text, "  3\r\nMS Gothic\r\n  4\r\n\r\n1001\r\nACAD\r\n1000\r\nMS Gothic\r\n"));
    EXPECT_TRUE(Contains(RenderDxf(*doc, 6, 1), "  3\r\nTXT.shx\r\n  4\r\nBIGFONT.shx\r\n  0\r\nENDTAB"));
    EXPECT_TRUE(Contains(RenderDxf(*doc, 6, 0), "  3\r\nTXT\r\n  4\r\nBIGFONT\r\n  0\r\nENDTAB"));
}

TEST(DxfWriter, HandlesAreUniqueAndTheSeedFollowsThem)
{
    auto doc = MakeSampleDrawing();
    for (int version : {2, 6}) {
        SCOPED_TRACE(version);
        DxfWriter writer;
        writer.Reset();
        writer.version = version;
        writer.nextHandle = 11;
        writer.textMode = 2;
        std::string first, second;
        writer.Write(*doc, first, false);
        writer.Write(*doc, second, true);
        EXPECT_EQ(first, second);

        std::set<long> handles;
        long seed = -1;
        std::string previousValue;
        for (const auto& [code, value] : DxfPairs(second)) {
            if (code == "  5" && previousValue == "$HANDSEED") {
                seed = std::stol(value, nullptr, 16);
            } else if (code == "  5" || code == "105") {
                EXPECT_TRUE(handles.insert(std::stol(value, nullptr, 16)).second) << "handle " << value;
            }
            previousValue = value;
        }
        EXPECT_GT(seed, *handles.rbegin());
        EXPECT_TRUE(Contains(second, "  0\r\nVPORT\r\n  5\r\nB\r\n330\r\n8\r\n"));
        EXPECT_EQ(second.compare(0, 3, "  0"), 0) << "no byte-order mark";
        EXPECT_EQ(second.substr(second.size() - 10), "  0\r\nEOF\r\n");
        EXPECT_EQ(writer.nextHandle, seed);
    }
}
