#include "app/progress/SubProgressDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

namespace {

// The window to centre over when the owner passes no parent: the program's main window.
QWidget* MainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget) && widget->isVisible())
            return widget;
    }
    return nullptr;
}

void CentreOver(QWidget* window, const QWidget* over)
{
    QRect area;
    if (over)
        area = over->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        window->move(area.center() - window->rect().center());
}

}  // namespace

CSubProgressDlg::CSubProgressDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("処理中"));
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    m_cancelButton->setAutoDefault(false);
    connect(m_cancelButton, &QPushButton::clicked, this, &CSubProgressDlg::OnCancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    setMinimumWidth(320);
    adjustSize();

    CentreOver(this, parent ? parent->window() : MainWindow());
    show();
}

CSubProgressDlg::~CSubProgressDlg() = default;

void CSubProgressDlg::SetSteps(int steps)
{
    m_progress->setRange(0, steps > 0 ? steps : 0);
    m_progress->setValue(0);
}

void CSubProgressDlg::Advance()
{
    if (m_progress->value() < m_progress->maximum())
        m_progress->setValue(m_progress->value() + 1);
    m_progress->repaint();
}

void CSubProgressDlg::EnableCancel(bool enable)
{
    m_cancelButton->setEnabled(enable);
}

void CSubProgressDlg::WaitUntilShown()
{
    // A window is painted only once the window system has reported it shown (mapped).
    QElapsedTimer waited;
    waited.start();
    while (!testAttribute(Qt::WA_Mapped) && waited.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(5);
    }
    repaint();
}

void CSubProgressDlg::reject() {}

void CSubProgressDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSubProgressDlg::closeEvent(QCloseEvent* event)
{
    // The window never closes itself; its owner destroys it when the operation ends.
    event->ignore();
    if (m_cancelButton->isEnabled())
        OnCancel();
}

void CSubProgressDlg::OnCancel()
{
    m_bCancel = 1;
    m_cancelButton->setEnabled(false);
}
