#include <gtest/gtest.h>

#include <QJsonArray>
#include <limits>
#include <memory>

#include "TempFolder.h"
#include "WorkbookCheck.h"
#include "report/CXlsxReport.h"

namespace {

class CountingReport : public CXlsxReport
{
public:
    void OnError(int errorNo) override { errors.push_back(errorNo); }
    std::vector<int> errors;
};

TEST(XlsxReport, PutsBeforeCreateDoNothingAndReturnTheirValue)
{
    CXlsxReport report;
    EXPECT_EQ(report.cell.ColWidth = 12.5, 12.5);
    EXPECT_EQ(report.option.ExcelMode = QVariant(1), QVariant(1));
    EXPECT_EQ(report.option.ExcelMode.GetValue(), QVariant());
    EXPECT_EQ(report.Cell("A1").PutValueStringW("未作成"), "未作成");
    EXPECT_EQ(report.page.PageBeginW("一覧", "1"), 0);
    EXPECT_EQ(report.Handle(), nullptr);
    report.Release();
}

TEST(XlsxReport, WritesThroughItsMembersAndReportsErrors)
{
    TempFolder folder;
    auto report = std::make_unique<CountingReport>();
    ASSERT_NE(report->Create(), 0);
    ASSERT_EQ(report->start.StartCreate(2013), 1);
    report->option.ExcelMode = 1;
    report->option.DefaultCellW = QString("A1");
    report->printer.PrintQuality = 600;
    EXPECT_EQ(report->printer.PrintQuality.GetValue(), 600);
    EXPECT_EQ(report->option.ExcelMode.GetValue(), QVariant(1));
    ASSERT_EQ(report->page.PageBeginW("一覧", "1"), 1);
    report->Cell("B2").PutValueStringW("道路");
    report->Cell("B2").attr.PosHorz = 22;
    report->Cell("B2").attr.FormatW = QString("@");
    report->Cell("C3").PutValueDouble(139.5);
    report->Cell("2").RowHeight = 30.0;
    report->Cell("B1").ColWidth = 20.0;
    EXPECT_FALSE(report->cell.value.Failed());
    EXPECT_TRUE(report->Refusal().isEmpty());
    // A template field the sheet does not hold: the put fails, but nothing was refused.
    report->Cell("**無い欄").PutValueStringW("x");
    EXPECT_TRUE(report->cell.value.Failed());
    EXPECT_TRUE(report->Refusal().isEmpty());
    // A value the library refuses is kept as the report's refusal with the library's message.
    report->Cell("D4").PutValueDouble(std::numeric_limits<double>::infinity());
    EXPECT_TRUE(report->cell.value.Failed());
    EXPECT_EQ(report->Refusal(), report->ErrorMessageW.GetValue());
    EXPECT_FALSE(report->Refusal().isEmpty());

    // A failed write is reported through the error number, the message and OnError.
    EXPECT_EQ(report->out.OutFileW(folder.file("missing/a.xlsx"), -1), 0);
    EXPECT_NE(report->ErrorNo.GetValue(), 0);
    EXPECT_FALSE(report->ErrorMessageW.GetValue().isEmpty());
    EXPECT_FALSE(report->errors.empty());

    const QString path = folder.file("a.xlsx");
    ASSERT_EQ(report->out.OutFileW(path, -1), 1);
    report->out.OutCancel();
    // Deleting a report that holds its handle releases it (the leak checker sees to the rest).
    report.reset();

    const QJsonObject dump = workbook_check::Dump(path);
    ASSERT_FALSE(dump.isEmpty());
    const QJsonObject sheet = dump["sheet"]["一覧"].toObject();
    EXPECT_EQ(sheet["cells"]["B2"].toString(), "道路");
    EXPECT_EQ(sheet["cells"]["C3"].toDouble(), 139.5);
    EXPECT_EQ(sheet["styles"]["B2"].toArray()[0].toString(), "center");
    EXPECT_EQ(sheet["formats"]["B2"].toString(), "@");
    EXPECT_EQ(sheet["heights"]["2"].toDouble(), 30);
    EXPECT_EQ(sheet["dpi"].toVariant().toInt(), 600);
}

TEST(XlsxReport, CanBeCreatedAgainAfterRelease)
{
    CXlsxReport report;
    ASSERT_NE(report.Create(), 0);
    ASSERT_EQ(report.start.StartCreate(2013), 1);
    ASSERT_EQ(report.page.PageBeginW("一", "1"), 1);
    report.Release();
    EXPECT_EQ(report.page.PageTotalCount(), 0);
    ASSERT_NE(report.Create(), 0);
    ASSERT_EQ(report.start.StartCreate(2013), 1);
    EXPECT_EQ(report.page.PageTotalCount(), 0);
    ASSERT_NE(report.Create(), 0);  // a held handle is released first
}

}  // namespace
