#pragma once

#include <QLineEdit>

#include "app/controls/NumberRules.h"

namespace app {

// The edit field of every dialog that takes numbers or length-limited text. It refuses keys that
// cannot make a valid entry (with a beep), checks the whole value when the focus leaves, explains
// a bad value in a message and then puts back the text it had when it got the focus.
class CExpEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CExpEdit(QWidget* parent = nullptr);

    // Free text limited to `byteLimit` bytes of the Japanese Windows code page (0: no limit).
    void SetFreeTextMode(int byteLimit);
    // Bounds of INT_MIN mean "no bound" on that side.
    void SetIntegerMode(int byteLimit, int minimum, int maximum, int blank);
    // Bounds of -9e32 mean "no bound" on that side.
    void SetRealMode(int byteLimit, int decimals, double minimum, double maximum, double blank);
    const NumberRules& Rules() const { return m_rules; }

    // The value's text, or an empty field for the blank value.
    void SetInt(int value);
    void SetReal(double value);
    QString GetText() const { return text(); }
    // The text's value; an empty field gives the blank value (INT_MIN when that is no int).
    int GetInt() const;
    double GetReal() const;

    void SetSelectAllOnFocus(bool on) { m_selectAllOnFocus = on; }
    // The next focus loss is not checked (as when the user leaves for Cancel).
    void SetCancelling(bool on) { m_cancelling = on; }

    // Pastes the clipboard text when it fits into the byte limit; beeps otherwise.
    void PasteChecked();

signals:
    // The focus left with a valid (or unchecked) entry; not sent after a refused entry.
    void Committed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool FocusWentToCancel() const;
    // True when inserting the text without replacing the selection keeps the byte limit.
    bool FitsWithoutSelection(const QString& inserted) const;
    void UpdateLook();

    NumberRules m_rules;
    QString m_saved;
    bool m_changed = false;
    bool m_cancelling = false;
    bool m_selectAllOnFocus = true;
    bool m_checking = false;
    bool m_away = false;  // the focus went to another window or a menu and will come back
};

}  // namespace app
