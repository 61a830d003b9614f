#include "app/KeyPolicyDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>

namespace app {

CKeyPolicyDialog::CKeyPolicyDialog(QWidget* parent) : QDialog(parent) {}

void CKeyPolicyDialog::SetOkButton(QPushButton* ok)
{
    m_ok = ok;
    MakeOnlyOkAutoDefault();
}

void CKeyPolicyDialog::SetCancelButton(QPushButton* cancel)
{
    m_cancel = cancel;
    // Clicking Cancel must take the focus, so that a number edit can tell it is being cancelled.
    if (m_cancel)
        m_cancel->setFocusPolicy(Qt::StrongFocus);
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
        const bool isOk = button == m_ok;
        button->setAutoDefault(isOk);
        button->setDefault(false);
    }
}

void CKeyPolicyDialog::showEvent(QShowEvent* event)
{
    // A dialog laid out with a standard button box need not name its buttons.
    if (!m_ok || !m_cancel) {
        if (auto* box = findChild<QDialogButtonBox*>()) {
            if (!m_ok)
                m_ok = box->button(QDialogButtonBox::Ok);
            if (!m_cancel && box->button(QDialogButtonBox::Cancel))
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
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain && m_enterMovesFocus) {
        event->accept();
        QWidget* focus = QApplication::focusWidget();
        if (m_ok && focus == m_ok) {
            m_ok->click();
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
