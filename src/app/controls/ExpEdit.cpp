#include "app/controls/ExpEdit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <climits>
#include <cmath>

#include "app/KeyPolicyDialog.h"
#include "app/Prompts.h"
#include "app/controls/FieldLook.h"
#include "fe/NumberText.h"

namespace app {
namespace {
const QString kCheckCaption = QStringLiteral("入力確認");
}

CExpEdit::CExpEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { m_changed = true; });
    // A read-only field gives the focus straight back to where it came from.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == this && isReadOnly() && old && old->window() == window())
            old->setFocus(Qt::OtherFocusReason);
    });
    UpdateLook();
}

void CExpEdit::SetFreeTextMode(int byteLimit)
{
    m_rules.mode = NumberRules::FreeText;
    m_rules.byteLimit = byteLimit;
}

void CExpEdit::SetIntegerMode(int byteLimit, int minimum, int maximum, int blank)
{
    m_rules.mode = NumberRules::Integer;
    m_rules.byteLimit = byteLimit;
    m_rules.minimum = minimum;
    m_rules.maximum = maximum;
    m_rules.blank = blank;
    m_rules.decimals = 0;
}

void CExpEdit::SetRealMode(int byteLimit, int decimals, double minimum, double maximum, double blank)
{
    m_rules.mode = NumberRules::Real;
    m_rules.byteLimit = byteLimit;
    m_rules.decimals = std::max(0, std::min(decimals, 30));
    m_rules.minimum = minimum;
    m_rules.maximum = maximum;
    m_rules.blank = blank;
}

void CExpEdit::SetInt(int value)
{
    setText(value == m_rules.blank ? QString() : QString::number(value));
}

void CExpEdit::SetReal(double value)
{
    setText(value == m_rules.blank ? QString() : FixedText(value, m_rules.decimals));
}

int CExpEdit::GetInt() const
{
    if (text().isEmpty()) {
        // The blank value may be -9e32, which no int can hold.
        const double blank = m_rules.blank;
        return blank >= INT_MIN && blank <= INT_MAX ? static_cast<int>(blank) : kBlankInt;
    }
    double value = 0.0;
    if (!fe::ScanDouble(text(), value) || std::isnan(value))
        return 0;
    value = std::trunc(value);
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

double CExpEdit::GetReal() const
{
    if (text().isEmpty())
        return m_rules.blank;
    double value = 0.0;
    fe::ScanDouble(text(), value);
    return value;
}

void CExpEdit::PasteChecked()
{
    const QString pasted = QApplication::clipboard()->text();
    if (isReadOnly())
        return;
    if (pasted.isEmpty() ||
        !AcceptsPaste(m_rules, text(), selectionStart() < 0 ? cursorPosition() : selectionStart(),
                      selectedText().size(), pasted)) {
        QApplication::beep();
        return;
    }
    insert(pasted);
}

void CExpEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        PasteChecked();
        event->accept();
        return;
    }
    // Esc cancels the dialog, so the entry need not be checked; in dialogs where Esc does
    // nothing the entry is still checked when the focus leaves.
    if (event->key() == Qt::Key_Escape && !qobject_cast<const CKeyPolicyDialog*>(window()))
        m_cancelling = true;
    const QString typed = event->text();
    const bool printable =
        !typed.isEmpty() && typed.front().unicode() >= 0x20 && typed.front().unicode() != 0x7f;
    if (printable && !isReadOnly() && !(event->modifiers() & Qt::ControlModifier)) {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        if (!AcceptsTyping(m_rules, text(), start, selectedText().size(), typed)) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

// Text composed with an input method is held to the byte limit and the mode like typed keys.
void CExpEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    if (!commit.isEmpty() && !AcceptsTyping(m_rules, text(), start, selectedText().size(), commit)) {
        QApplication::beep();
        QInputMethodEvent dropped(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&dropped);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void CExpEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &CExpEdit::PasteChecked);
        }
    }
    menu->exec(event->globalPos());
    delete menu;
}

bool CExpEdit::FitsWithoutSelection(const QString& inserted) const
{
    return AcceptsPaste(m_rules, text(), cursorPosition(), 0, inserted);
}

// Text dragged in from elsewhere is inserted at the drop point without replacing the selection;
// like a paste it must fit into the byte limit. Moving text inside the field keeps its length;
// copying it there (Ctrl held) adds to it and is checked too.
void CExpEdit::dropEvent(QDropEvent* event)
{
    const bool moveWithin = event->source() == this && event->dropAction() == Qt::MoveAction;
    if (!moveWithin && !isReadOnly()) {
        const QString dropped = event->mimeData()->hasText() ? event->mimeData()->text() : QString();
        if (dropped.isEmpty() || !FitsWithoutSelection(dropped)) {
            QApplication::beep();
            event->ignore();
            return;
        }
    }
    QLineEdit::dropEvent(event);
}

// The middle button pastes the mouse selection on systems that have one; it is held to the byte
// limit like any other paste.
void CExpEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QClipboard* clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        const QString selection = clipboard->text(QClipboard::Selection);
        if (selection.isEmpty() || !FitsWithoutSelection(selection)) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CExpEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Coming back from another window or a menu is not a new visit of the field.
    if (m_away) {
        m_away = false;
        return;
    }
    if (isReadOnly())
        return;
    m_saved = text();
    if (m_selectAllOnFocus) {
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus())
                selectAll();
        });
    }
}

bool CExpEdit::FocusWentToCancel() const
{
    const QWidget* now = QApplication::focusWidget();
    if (!now)
        return false;
    if (const auto* dialog = qobject_cast<const CKeyPolicyDialog*>(window()))
        if (now == dialog->CancelButton())
            return true;
    if (const auto* box = qobject_cast<const QDialogButtonBox*>(now->parentWidget()))
        if (const auto* button = qobject_cast<const QAbstractButton*>(now))
            return box->buttonRole(const_cast<QAbstractButton*>(button)) == QDialogButtonBox::RejectRole;
    return false;
}

void CExpEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A message box shown below moves the focus again: those moves are not checked.
    if (m_checking)
        return;
    // Another window or a menu took the focus for a while; the field is still being edited.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        m_away = true;
        return;
    }
    if (FocusWentToCancel())
        m_cancelling = true;
    if (m_changed && !m_cancelling) {
        m_changed = false;
        const int result = CheckNumberText(m_rules, text());
        if (result != 0) {
            m_checking = true;
            ShowMessage(this, NumberCheckMessage(m_rules, result), kCheckCaption, PromptIcon::Warning);
            m_checking = false;
            setText(m_saved);
            m_changed = false;
            return;
        }
    }
    if (m_rules.mode == NumberRules::Real)
        SetReal(GetReal());
    m_changed = false;
    m_cancelling = false;
    emit Committed();
}

void CExpEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::EnabledChange)
        UpdateLook();
}

void CExpEdit::UpdateLook()
{
    ApplyFieldLook(this, isReadOnly());
}

}  // namespace app
