// The comment category picker: which category it shows for the index it is given, and the list
// following the grid.
#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>

#include "TempFolder.h"
#include "app/controls/SpreadGrid.h"
#include "app/settings/CommentTemplateDlg.h"

namespace {

using app::CCommentTemplateDlg;

class CommentPickerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = temp.file("CommentTemplate.txt");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBF@道路\r\n舗装状況\r\n区画線\r\n@\r\n全景\r\n@完成\r\n出来形\r\n");
    }

    TempFolder temp;
    QString path;
};

TEST_F(CommentPickerTest, IndexChoosesTheCategoryShown)
{
    const struct
    {
        int given;
        int shown;
        const char* list;
    } cases[] = {
        {0, 0, "舗装状況\n区画線\n"},
        {1, 1, "全景\n"},
        {-5, 0, "舗装状況\n区画線\n"},
        {99, 2, "出来形\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        CCommentTemplateDlg dialog(path, c.given);
        EXPECT_EQ(dialog.CurrentIndex(), c.shown);
        EXPECT_EQ(dialog.CommentList()->toPlainText(), QString::fromUtf8(c.list));
        EXPECT_EQ(dialog.Grid()->ActiveRow(), c.shown + 1);
        EXPECT_TRUE(dialog.CommentList()->isReadOnly());
    }
    CCommentTemplateDlg dialog(path, 0);
    EXPECT_EQ(dialog.Grid()->Rows(), 3);
    dialog.Grid()->SetCol(1);
    dialog.Grid()->SetRow(2);
    EXPECT_EQ(dialog.Grid()->Text(), QStringLiteral("分類名なし"));
    EXPECT_EQ(dialog.CurrentTexts(), QStringList({"舗装状況", "区画線"}));
}

TEST_F(CommentPickerTest, ListFollowsTheGridAndAMissingFileGivesNothing)
{
    CCommentTemplateDlg dialog(path, 0);
    dialog.show();
    dialog.Grid()->setCurrentCell(2, 0);  // as a click on the third row
    EXPECT_EQ(dialog.CurrentIndex(), 2);
    EXPECT_EQ(dialog.CurrentTexts(), QStringList{"出来形"});

    CCommentTemplateDlg none(temp.file("missing.txt"), 99);
    EXPECT_EQ(none.Grid()->Rows(), 0);
    EXPECT_TRUE(none.CommentList()->toPlainText().isEmpty());
    EXPECT_TRUE(none.CurrentTexts().isEmpty());
}

}  // namespace
