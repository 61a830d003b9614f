#pragma once

#include <QDialog>
#include <QPointer>
#include <QPushButton>

namespace app {

// The base of the program's settings and output dialogs, with their keyboard rules:
// - Esc never closes the dialog (it still reaches controls that use it, such as a cell editor);
// - Enter moves the focus to the next control, unless the OK button has the focus, which accepts.
// Controls that use Enter themselves (a grid, a cell editor, a multi-line edit) keep it; a dialog
// names further exceptions by overriding KeepsEnter.
class CKeyPolicyDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CKeyPolicyDialog(QWidget* parent = nullptr);

    // The OK and Cancel buttons of the dialog (not owned; children of the dialog). Without them,
    // the Ok and Cancel buttons of a QDialogButtonBox in the dialog are taken when it shows.
    void SetOkButton(QPushButton* ok);
    void SetCancelButton(QPushButton* cancel);
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // Off for dialogs where Enter keeps the platform's meaning; Esc stays swallowed.
    void SetEnterMovesFocus(bool on) { m_enterMovesFocus = on; }

protected:
    // True when Enter with the focus on `focus` should do nothing instead of moving the focus.
    virtual bool KeepsEnter(QWidget* focus) const;

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void MakeOnlyOkAutoDefault();

    QPointer<QPushButton> m_ok;
    QPointer<QPushButton> m_cancel;
    bool m_enterMovesFocus = true;
};

}  // namespace app
