#include "app/controls/ExpTextEdit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

#include "app/controls/FieldLook.h"
#include "app/controls/NumberRules.h"

namespace app {

CExpTextEdit::CExpTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    UpdateLook();
}

int CExpTextEdit::TextBytes(const QString& text)
{
    QString lines = text;
    lines.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return AnsiByteCount(lines) + static_cast<int>(lines.count(QLatin1Char('\n')));
}

bool CExpTextEdit::Fits(const QString& inserted) const
{
    if (m_byteLimit <= 0)
        return true;
    const int room = m_byteLimit + TextBytes(textCursor().selectedText()) - TextBytes(toPlainText());
    return TextBytes(inserted) <= room;
}

void CExpTextEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool printable =
        !typed.isEmpty() && typed.front().unicode() >= 0x20 && typed.front().unicode() != 0x7f;
    if (printable && !isReadOnly() && !(event->modifiers() & Qt::ControlModifier) && !Fits(typed)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool CExpTextEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText();
}

void CExpTextEdit::insertFromMimeData(const QMimeData* source)
{
    const QString text = source->hasText() ? source->text() : QString();
    if (text.isEmpty() || !Fits(text)) {
        QApplication::beep();
        return;
    }
    textCursor().insertText(text);
    ensureCursorVisible();
}

void CExpTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && !Fits(event->commitString())) {
        QApplication::beep();
        QInputMethodEvent dropped(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&dropped);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void CExpTextEdit::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::EnabledChange)
        UpdateLook();
}

void CExpTextEdit::UpdateLook()
{
    ApplyFieldLook(this, isReadOnly());
}

}  // namespace app
