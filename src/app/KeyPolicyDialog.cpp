#include "app/KeyPolicyDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>

namespace app {

CKeyPolicyDialog::CKeyPolicyDialog(QWidget* parent) : QDialog(parent) {}

void CKeyPolicyDialog::SetOkButton(QPushButton* ok)
{
    ok_ = ok;
    MakeOnlyOkAutoDefault();
}

void CKeyPolicyDialog::SetCancelButton(QPushButton* cancel)
{
    cancel_ = cancel;
    // Clicking Cancel must take the focus, so that a number edit can tell it is being cancelled.
    if (cancel_)
        cancel_->setFocusPolicy(Qt::StrongFocus);
    MakeOnlyOkAutoDefault();
}

bool CKeyPolicyDialog::KeepsEnter(QWidget*) const
{
    return false;
}

// A push button with auto-default clicks itself on Enter; only OK may do that, every other
// button lets Enter through to the dialog, which moves the focus on.
void CKeyPolicyDialog::MakeOnlyOkAutoDefault()
{
    for (QPushButton* button : findChildren<QPushButton*>()) {
        const bool isOk = button == ok_;
        button->setAutoDefault(isOk);
        button->setDefault(false);
    }
}

void CKeyPolicyDialog::showEvent(QShowEvent* event)
{
    // A dialog laid out with a standard button box need not name its buttons.
    if (!ok_ || !cancel_) {
        if (auto* box = findChild<QDialogButtonBox*>()) {
            if (!ok_)
                ok_ = box->button(QDialogButtonBox::Ok);
            if (!cancel_ && box->button(QDialogButtonBox::Cancel))
                SetCancelButton(box->button(QDialogButtonBox::Cancel));
        }
    }
    MakeOnlyOkAutoDefault();
    QDialog::showEvent(event);
}

// Keys arrive here only when the control with the focus did not use them.
void CKeyPolicyDialog::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (event->key() == Qt::Key_Escape && plain) {
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain && enterMovesFocus_) {
        event->accept();
        QWidget* focus = QApplication::focusWidget();
        if (ok_ && focus == ok_) {
            ok_->click();
            return;
        }
        if (focus && KeepsEnter(focus))
            return;
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace app
