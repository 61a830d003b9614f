// CommentTemplate.txt: the parser on a table of cases, and the editor dialog writing it back.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "FileBytes.h"
#include "PeakRss.h"
#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/ExpTextEdit.h"
#include "app/settings/CommentTemplate.h"
#include "app/settings/CommentTemplateSettingDlg.h"

namespace {

using app::CommentCategory;
using app::CommentTemplateSet;

TEST(CommentTemplate, ParserTakesCategoriesAndTexts)
{
    struct Case
    {
        const char* what;
        QStringList lines;
        std::vector<CommentCategory> expected;
    };
    const Case cases[] = {
        {"two categories, the second without name",
         {"@道路", "舗装状況", "@", "全景"},
         {{{"舗装状況"}, "道路"}, {{"全景"}, "分類名なし"}}},
        {"a doubled @ keeps one", {"@@x", "a"}, {{{"a"}, "@x"}}},
        {"texts before the first category are ignored", {"迷子", "@A", "a"}, {{{"a"}, "A"}}},
        {"an empty middle category is dropped, an empty last one kept",
         {"@A", "a", "@空", "@B", "b", "@最後"},
         {{{"a"}, "A"}, {{"b"}, "B"}, {{}, "最後"}}},
        {"blank lines are ignored, leading blanks kept",
         {"@A", "", "   ", "  leading", " @not a category", "trailing  "},
         {{{"  leading", " @not a category", "trailing  "}, "A"}}},
        {"a name keeps its blanks", {"@ 名 ", "a"}, {{{"a"}, " 名 "}}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CommentTemplateSet::Parse(c.lines).categories, c.expected);
    }
}

TEST(CommentTemplate, EditorOkWritesTheFileNormalised)
{
    TempFolder temp;
    app::ScriptedPrompts prompts;
    const QString path = temp.file("CommentTemplate.txt");
    WriteAll(path, QByteArray("迷子\r\n@道路\r\n  舗装状況\r\n\r\n   \r\n@空\r\n@\r\n全景\r\n@最後")
                       .prepend("\xEF\xBB\xBF"));
    app::CCommentTemplateSettingDlg dialog(path);
    EXPECT_EQ(dialog.Editor()->toPlainText(), "@道路\n  舗装状況\n\n@分類名なし\n全景\n\n@最後\n\n");
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_EQ(ReadAll(path), QByteArray("\xEF\xBB\xBF@道路\r\n  舗装状況\r\n@分類名なし\r\n全景\r\n@最後\r\n"));
    // Read back, the set is the same.
    CommentTemplateSet back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.categories.size(), 3u);
    EXPECT_EQ(back.categories[0].lines, QStringList({"  舗装状況"}));
    // A line of blanks is written back; the reader ignores it.
    ASSERT_TRUE(app::WriteCommentTemplateFile(path, "@A\r\n   \n\ra\r\r\n"));
    EXPECT_EQ(ReadAll(path), QByteArray("\xEF\xBB\xBF@A\r\n   \r\na\r\n"));
}

TEST(CommentTemplate, AFileThatCannotBeWrittenIsReportedAndTheTextStays)
{
    TempFolder temp;
    app::ScriptedPrompts prompts;
    const QString path = temp.file("missing/CommentTemplate.txt");
    app::CCommentTemplateSettingDlg dialog(path);
    EXPECT_TRUE(dialog.Editor()->toPlainText().isEmpty());
    dialog.show();
    dialog.Editor()->setPlainText("@A\na");
    dialog.OkButton()->click();
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_TRUE(prompts.asked()[0].text.startsWith("コメント定型文を保存できませんでした。"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Editor()->toPlainText(), "@A\na");
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace

TEST(CommentTemplate, HostileFilesAreReadWithinTheirBounds)
{
    TempFolder folder;
    const QString path = folder.file("CommentTemplate.txt");
    // Over the size bound: refused, the set kept as it was.
    WriteAll(path, QByteArray(app::kMaxCommentTemplateBytes + 1, '\n'));
    app::CommentTemplateSet set;
    set.categories.push_back({{QStringLiteral("前の文")}, QStringLiteral("前")});
    EXPECT_FALSE(set.Load(path));
    ASSERT_EQ(set.categories.size(), 1u);

    // Categories and texts stop at their bounds.
    QByteArray many;
    for (int k = 0; k < app::kMaxCommentCategories + 5; ++k)
        many += "@c" + QByteArray::number(k) + "\ntext\n";
    WriteAll(path, many);
    ASSERT_TRUE(set.Load(path));
    EXPECT_EQ(set.categories.size(), size_t(app::kMaxCommentCategories));
    QByteArray lines = "@one\n";
    for (int k = 0; k < app::kMaxCommentLines + 5; ++k)
        lines += "t\n";
    WriteAll(path, lines);
    ASSERT_TRUE(set.Load(path));
    ASSERT_EQ(set.categories.size(), 1u);
    EXPECT_EQ(set.categories[0].lines.size(), app::kMaxCommentLines);
}

// A 32 MB file of line ends, and one of blank lines just under the size bound, cost little memory.
TEST(CommentTemplate, AHugeFileOfLineEndsStaysWithinItsMemory)
{
    TempFolder folder;
    for (const qint64 size : {qint64(32) * 1024 * 1024, app::kMaxCommentTemplateBytes}) {
        const QString path = folder.file("CommentTemplate.txt");
        WriteAll(path, QByteArray("@a\n") + QByteArray(size - 3, '\n'));
        SCOPED_TRACE(size);
        peak_rss::ExpectPeakBelow("CommentTemplate.DISABLED_LoadTheFileGiven", path, 300);
    }
}

TEST(CommentTemplate, DISABLED_LoadTheFileGiven)
{
    peak_rss::RunAsChild([](const QString& path) {
        app::CommentTemplateSet set;
        (void)set.Load(path);
    });
}
