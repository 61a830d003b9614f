// The number edit: its pure rules, then the field itself with keys, paste and focus changes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <climits>

#include "app/KeyPolicyDialog.h"
#include "app/ScriptedPrompts.h"
#include "app/controls/ExpEdit.h"
#include "app/controls/ExpTextEdit.h"
#include "app/controls/NumberRules.h"
#include "app/controls/ResizeManage.h"

using namespace app;

namespace {

NumberRules Integer(int limit, double min, double max)
{
    NumberRules rules;
    rules.mode = NumberRules::Integer;
    rules.byteLimit = limit;
    rules.minimum = min;
    rules.maximum = max;
    return rules;
}

NumberRules Real(int decimals, double min = kBlankReal, double max = kBlankReal)
{
    NumberRules rules;
    rules.mode = NumberRules::Real;
    rules.decimals = decimals;
    rules.minimum = min;
    rules.maximum = max;
    return rules;
}

TEST(NumberRules, CheckOfAWholeEntry)
{
    const struct
    {
        const char* what;
        NumberRules rules;
        QString text;
        int result;
    } cases[] = {
        {"empty is valid", Real(1, 0.1, 99.9), QString(), 0},
        {"extra place that is zero", Real(1), QStringLiteral("2.50"), 0},
        {"extra place that is not zero", Real(1), QStringLiteral("2.55"), 3},
        {"above the range", Real(1, 0.1, 99.9), QStringLiteral("100"), 2},
        {"below the range", Real(1, 0.1, 99.9), QStringLiteral("0.0"), 2},
        {"inside the range", Real(1, 0.1, 99.9), QStringLiteral("99.9"), 0},
        {"two points", Real(2), QStringLiteral("1.2.3"), 1},
        {"minus inside", Integer(30, -100, 100), QStringLiteral("1-2"), 1},
        {"leading minus", Integer(30, -100, 100), QStringLiteral("-5"), 0},
        {"letter", Integer(30, -100, 100), QStringLiteral("1a"), 1},
        {"only a minus", Integer(30, -100, 100), QStringLiteral("-"), 1},
        {"only a point", Real(1), QStringLiteral("."), 1},
        {"no bound, but beyond int", Integer(30, INT_MIN, INT_MIN), QStringLiteral("99999999999"), 2},
        {"no bound given as 2^31", Integer(30, 2147483648.0, 2147483648.0), QStringLiteral("-2147483648"), 0},
        {"real without bounds", Real(0), QStringLiteral("-123456789012"), 0},
        {"free text is not checked", NumberRules{}, QStringLiteral("abc"), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckNumberText(c.rules, c.text), c.result) << c.what;
}

TEST(NumberRules, MessagesNameTheRangeAndTheDecimals)
{
    EXPECT_EQ(NumberCheckMessage(Real(1, 0.1, 99.9), 2),
              QStringLiteral("数値が範囲外です。\n\n（0.1 ～ 99.9 までの範囲で入力してください。）"));
    EXPECT_EQ(NumberCheckMessage(Integer(3, 1, 999), 2),
              QStringLiteral("数値が範囲外です。\n\n（1 ～ 999 までの範囲で入力してください。）"));
    EXPECT_EQ(NumberCheckMessage(Real(1), 1),
              QStringLiteral("値が正しくありません。\n\n（数値を入力してください。）"));
    EXPECT_EQ(NumberCheckMessage(Real(2), 3),
              QStringLiteral("小数桁がオーバーしています。\n\n（少数 2桁 以内で入力してください。）"));
}

TEST(NumberRules, TypingAndPastingFollowTheModeAndTheByteLimit)
{
    const NumberRules int3 = Integer(3, 0, 999);
    NumberRules text4;
    text4.byteLimit = 4;
    const struct
    {
        const char* what;
        NumberRules rules;
        QString text;
        int selStart, selLength;
        QString typed;
        bool accepted;
    } cases[] = {
        {"digit into room", int3, QStringLiteral("12"), 2, 0, QStringLiteral("3"), true},
        {"digit beyond the limit", int3, QStringLiteral("123"), 3, 0, QStringLiteral("4"), false},
        {"digit over a selection", int3, QStringLiteral("123"), 0, 1, QStringLiteral("4"), true},
        {"minus at the start of an empty field", int3, QString(), 0, 0, QStringLiteral("-"), true},
        {"minus after a digit", int3, QStringLiteral("1"), 1, 0, QStringLiteral("-"), false},
        {"second minus", int3, QStringLiteral("-1"), 0, 0, QStringLiteral("-"), false},
        {"letter in integer mode", int3, QString(), 0, 0, QStringLiteral("a"), false},
        {"point in integer mode", int3, QString(), 0, 0, QStringLiteral("."), false},
        {"first point in real mode", Real(1), QStringLiteral("2"), 1, 0, QStringLiteral("."), true},
        {"second point in real mode", Real(1), QStringLiteral("2.5"), 3, 0, QStringLiteral("."), false},
        {"anything over a selected point", Real(1), QStringLiteral("2.5"), 1, 1, QStringLiteral("x"), true},
        {"half-width kana is one byte", text4, QStringLiteral("abc"), 3, 0, QStringLiteral("ｱ"), true},
        {"kanji is two bytes", text4, QStringLiteral("abc"), 3, 0, QStringLiteral("あ"), false},
        {"kanji over a selected letter", text4, QStringLiteral("abc"), 2, 1, QStringLiteral("あ"), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AcceptsTyping(c.rules, c.text, c.selStart, c.selLength, c.typed), c.accepted) << c.what;

    EXPECT_FALSE(AcceptsPaste(int3, QStringLiteral("1"), 1, 0, QStringLiteral("234")));
    EXPECT_TRUE(AcceptsPaste(int3, QStringLiteral("1"), 1, 0, QStringLiteral("23")));
    // Pasting is held to the byte limit only, not to the mode.
    EXPECT_TRUE(AcceptsPaste(int3, QString(), 0, 0, QStringLiteral("ab")));
    EXPECT_EQ(AnsiByteCount(QStringLiteral("ｱ")), 1);
    EXPECT_EQ(AnsiByteCount(QStringLiteral("あ")), 2);
    EXPECT_EQ(AnsiByteCount(QStringLiteral("a①")), 3);
}

// A dialog with a number field, a second field and Cancel, shown and active.
class NumberEditDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&dialog);
        // The plain field comes first, so that it has the focus when the dialog opens.
        other = new QLineEdit(&dialog);
        edit = new CExpEdit(&dialog);
        cancel = new QPushButton(QStringLiteral("キャンセル"), &dialog);
        layout->addWidget(other);
        layout->addWidget(edit);
        layout->addWidget(cancel);
        dialog.SetCancelButton(cancel);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void Enter(const QString& text)
    {
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    ScriptedPrompts prompts;
    CKeyPolicyDialog dialog;
    CExpEdit* edit = nullptr;
    QLineEdit* other = nullptr;
    QPushButton* cancel = nullptr;
};

TEST_F(NumberEditDialog, TypedKeysAreFilteredByTheByteLimit)
{
    edit->SetIntegerMode(3, 0, 999, INT_MIN);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClicks(edit, QStringLiteral("3"));
    QTest::keyClicks(edit, QStringLiteral("4"));
    QTest::keyClicks(edit, QStringLiteral("a-"));
    EXPECT_EQ(edit->text(), QStringLiteral("123"));

    QApplication::clipboard()->setText(QStringLiteral("45"));
    edit->setText(QStringLiteral("12"));
    edit->setCursorPosition(2);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("12")) << "two digits do not fit into one byte of room";
    QApplication::clipboard()->setText(QStringLiteral("4"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("124"));
    // Over a selection the selected bytes count as room; pasting is not held to the mode.
    QApplication::clipboard()->setText(QStringLiteral("ab"));
    edit->setSelection(1, 2);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("1ab"));
}

// Text dragged from elsewhere and dropped into the field is held to the byte limit like a paste.
TEST_F(NumberEditDialog, DroppedTextIsHeldToTheByteLimit)
{
    edit->SetFreeTextMode(4);
    edit->setText(QStringLiteral("12"));
    auto drop = [this](const QString& text) {
        QMimeData data;
        data.setText(text);
        const QPoint at(edit->width() - 2, edit->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &event);
    };
    drop(QStringLiteral("あ"));
    EXPECT_EQ(edit->text(), QStringLiteral("12あ"));
    drop(QStringLiteral("3"));
    EXPECT_EQ(edit->text(), QStringLiteral("12あ")) << "the limit of 4 bytes is reached";
    edit->setText(QStringLiteral("1"));
    drop(QStringLiteral("ｱい"));
    EXPECT_EQ(edit->text(), QStringLiteral("1ｱい"));
}

TEST_F(NumberEditDialog, ABadEntryIsExplainedAndTheTextFromFocusInComesBack)
{
    edit->SetRealMode(4, 1, 0.1, 99.9, kBlankReal);
    edit->SetReal(12.5);
    QSignalSpy committed(edit, &CExpEdit::Committed);
    Enter(QStringLiteral("100"));
    other->setFocus(Qt::TabFocusReason);

    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text,
              QStringLiteral("数値が範囲外です。\n\n（0.1 ～ 99.9 までの範囲で入力してください。）"));
    EXPECT_EQ(prompts.asked()[0].caption, QStringLiteral("入力確認"));
    EXPECT_EQ(prompts.asked()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(edit->text(), QStringLiteral("12.5"));
    EXPECT_EQ(committed.count(), 0);

    // An unchanged field is not checked again and reports its focus loss.
    edit->setFocus(Qt::TabFocusReason);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(committed.count(), 1);
}

TEST_F(NumberEditDialog, EscapeInADialogThatStaysOpenDoesNotSkipTheCheck)
{
    edit->SetIntegerMode(5, 1, 999, INT_MIN);
    edit->SetInt(5);
    Enter(QStringLiteral("0"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    other->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text,
              QStringLiteral("数値が範囲外です。\n\n（1 ～ 999 までの範囲で入力してください。）"));
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
}

TEST_F(NumberEditDialog, AValidRealIsWrittenWithItsDecimals)
{
    edit->SetRealMode(4, 1, 0.1, 99.9, kBlankReal);
    QSignalSpy committed(edit, &CExpEdit::Committed);
    Enter(QStringLiteral("3"));
    other->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_EQ(edit->text(), QStringLiteral("3.0"));
    EXPECT_EQ(committed.count(), 1);
    EXPECT_DOUBLE_EQ(edit->GetReal(), 3.0);
}

TEST_F(NumberEditDialog, LeavingForCancelShowsNoMessage)
{
    edit->SetIntegerMode(5, 1, 999, INT_MIN);
    Enter(QStringLiteral("5000"));
    cancel->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_EQ(edit->text(), QStringLiteral("5000"));
}

TEST_F(NumberEditDialog, EmptyFieldsYieldTheBlankValue)
{
    edit->SetIntegerMode(10, 0, 999, INT_MIN);
    edit->SetInt(INT_MIN);
    EXPECT_EQ(edit->text(), QString());
    EXPECT_EQ(edit->GetInt(), INT_MIN);
    edit->SetInt(7);
    EXPECT_EQ(edit->GetInt(), 7);

    edit->SetRealMode(10, 2, kBlankReal, kBlankReal, kBlankReal);
    edit->SetReal(kBlankReal);
    EXPECT_EQ(edit->text(), QString());
    EXPECT_EQ(edit->GetReal(), kBlankReal);
    // The real blank value holds no int: an empty field reads as the integer blank instead.
    EXPECT_EQ(edit->GetInt(), INT_MIN);
}

TEST_F(NumberEditDialog, AReadOnlyFieldHandsTheFocusBack)
{
    edit->setReadOnly(true);
    other->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_NE(edit->palette().color(QPalette::Base), other->palette().color(QPalette::Base));
}

TEST_F(NumberEditDialog, ClickingIntoTheFieldSelectsItsWholeText)
{
    edit->SetIntegerMode(5, 0, 99999, INT_MIN);
    edit->SetInt(12345);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("12345"));
}

TEST(ExpTextEdit, LineBreaksCountAsTwoBytesAgainstTheLimit)
{
    EXPECT_EQ(CExpTextEdit::TextBytes(QStringLiteral("ab\ncd")), 6);
    EXPECT_EQ(CExpTextEdit::TextBytes(QStringLiteral("あ\nｱ")), 5);

    CExpTextEdit edit;
    edit.SetByteLimit(6);
    edit.setPlainText(QStringLiteral("ab\ncd"));
    edit.show();
    edit.setFocus();
    edit.moveCursor(QTextCursor::End);
    QTest::keyClicks(&edit, QStringLiteral("e"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("ab\ncd"));

    // Over a selected letter one byte of room opens: a half-width letter fits, a kanji does not.
    edit.moveCursor(QTextCursor::Start);
    edit.moveCursor(QTextCursor::Right, QTextCursor::KeepAnchor);
    QApplication::clipboard()->setText(QStringLiteral("あ"));
    edit.paste();
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("ab\ncd"));
    QApplication::clipboard()->setText(QStringLiteral("x"));
    edit.paste();
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("xb\ncd"));
}

TEST(ResizeManage, ControlsFollowTheirAnchors)
{
    QWidget parent;
    parent.resize(300, 200);
    QWidget moved(&parent), grown(&parent), fixed(&parent);
    moved.setGeometry(200, 160, 80, 24);
    grown.setGeometry(10, 10, 280, 140);
    fixed.setGeometry(10, 160, 50, 24);
    CResizeManage manage;
    manage.SetInitialRect(QRect(50, 50, 300, 200));
    manage.Add(&parent, &moved, true, false, false, false);
    manage.Add(&parent, &grown, false, false, true, true);
    manage.Add(&parent, &fixed, false, false, false, false);

    manage.Resize(QRect(70, 80, 400, 230));
    EXPECT_EQ(moved.geometry(), QRect(300, 160, 80, 24));
    EXPECT_EQ(400 - moved.geometry().right(), 300 - 279) << "the distance to the right edge changed";
    EXPECT_EQ(grown.geometry(), QRect(10, 10, 380, 170));
    EXPECT_EQ(fixed.geometry(), QRect(10, 160, 50, 24));
}

}  // namespace
