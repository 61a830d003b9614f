// The dialogs' keyboard rules and the prompt interface's caption rules.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "app/KeyPolicyDialog.h"
#include "app/Prompts.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/SpreadGrid.h"

using namespace app;

namespace {

class KeyPolicyDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&dialog);
        name = new QLineEdit(&dialog);
        check = new QCheckBox(QStringLiteral("表示"), &dialog);
        notes = new QPlainTextEdit(&dialog);
        grid = new CSpread7U(&dialog);
        grid->SetCols(2);
        grid->SetRows(3);
        apply = new QPushButton(QStringLiteral("適用"), &dialog);
        ok = new QPushButton(QStringLiteral("OK"), &dialog);
        cancel = new QPushButton(QStringLiteral("キャンセル"), &dialog);
        for (QWidget* w :
             {static_cast<QWidget*>(name), static_cast<QWidget*>(check), static_cast<QWidget*>(notes),
              static_cast<QWidget*>(grid), static_cast<QWidget*>(apply), static_cast<QWidget*>(ok),
              static_cast<QWidget*>(cancel)})
            layout->addWidget(w);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
        dialog.SetOkButton(ok);
        dialog.SetCancelButton(cancel);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    CKeyPolicyDialog dialog;
    QLineEdit* name = nullptr;
    QCheckBox* check = nullptr;
    QPlainTextEdit* notes = nullptr;
    CSpread7U* grid = nullptr;
    QPushButton* apply = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

TEST_F(KeyPolicyDialogTest, EscapeDoesNotClose)
{
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    for (QWidget* focus :
         {static_cast<QWidget*>(name), static_cast<QWidget*>(ok), static_cast<QWidget*>(cancel)}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(rejected.count(), 0);
}

TEST_F(KeyPolicyDialogTest, EnterMovesTheFocusOnUnlessOkHasIt)
{
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QSignalSpy applied(apply, &QPushButton::clicked);
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), check);
    QTest::keyClick(check, Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), notes);

    // A button other than OK does not click itself either.
    apply->setFocus();
    QTest::keyClick(apply, Qt::Key_Return);
    EXPECT_EQ(applied.count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), ok);
    EXPECT_EQ(accepted.count(), 0);

    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(KeyPolicyDialogTest, MultiLineEditAndGridKeepEnter)
{
    notes->setFocus();
    QTest::keyClick(notes, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), notes);
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("\n"));

    grid->setFocus();
    grid->SetActiveCell(1, 1);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->ActiveRow(), 2);

    // A cell editor takes Enter to end the edit; Esc cancels the edit, and the dialog stays.
    grid->SetEditMode(true);
    ASSERT_TRUE(grid->EditMode());
    QWidget* editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(grid->EditMode());
    EXPECT_TRUE(dialog.isVisible());
}

TEST(KeyPolicyDialog, TakesOkAndCancelFromAButtonBox)
{
    CKeyPolicyDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* name = new QLineEdit(&dialog);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(name);
    layout->addWidget(box);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    dialog.show();
    EXPECT_EQ(dialog.OkButton(), box->button(QDialogButtonBox::Ok));
    EXPECT_EQ(dialog.CancelButton(), box->button(QDialogButtonBox::Cancel));
    EXPECT_FALSE(box->button(QDialogButtonBox::Cancel)->autoDefault());
}

TEST(Prompts, CaptionsFollowTheProgramsRules)
{
    ScriptedPrompts prompts;
    prompts.QueueAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(AskYesNo(nullptr, QStringLiteral("削除しますか？")));
    EXPECT_FALSE(AskYesNo(nullptr, QStringLiteral("もう一度？"), QStringLiteral("ケルヴォル")));
    Warn(nullptr, QStringLiteral("出力できるものがありません。"), QStringLiteral("ケルヴォル"));
    Inform(nullptr, QStringLiteral("完了"));
    ASSERT_EQ(prompts.asked().size(), 4u);
    EXPECT_EQ(prompts.asked()[0].caption, QStringLiteral("ケルヴォル Version2"));
    EXPECT_EQ(prompts.asked()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.asked()[1].caption, QStringLiteral("ケルヴォル"));
    EXPECT_EQ(prompts.asked()[2].icon, PromptIcon::Warning);
    EXPECT_EQ(prompts.asked()[3].caption, QStringLiteral("ケルヴォル Version2"));
}

TEST(Prompts, BarFiltersBecomeQtFiltersInBothLetterCases)
{
    EXPECT_EQ(QtFileFilter(QStringLiteral("JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|すべて (*.*)|*.*||")),
              QStringLiteral("JPEG (*.jpg *.JPG *.jpeg *.JPEG);;すべて (*.*)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("ケルヴォル Ver2 ファイル(*.kvr2)|*.kvr2|")),
              QStringLiteral("ケルヴォル Ver2 ファイル (*.kvr2 *.KVR2)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("画像 (*.png *.bmp)")), QStringLiteral("画像 (*.png *.bmp)"));
}

TEST(Prompts, FileDialogsAnswerFromTheScript)
{
    ScriptedPrompts prompts;
    prompts.QueueFiles({QStringLiteral("/tmp/a.jpg"), QStringLiteral("/tmp/b.jpg")});
    EXPECT_EQ(Prompts().OpenFileNames(nullptr, QStringLiteral("写真"), QString(), QString()).size(), 2);
    EXPECT_TRUE(Prompts().SaveFileName(nullptr, QStringLiteral("保存"), QString(), QString()).isEmpty());
    EXPECT_FALSE(Prompts().Color(nullptr, Qt::red).has_value());
    ASSERT_EQ(prompts.asked().size(), 3u);
    EXPECT_EQ(prompts.asked()[1].kind, QStringLiteral("save"));
}

}  // namespace
