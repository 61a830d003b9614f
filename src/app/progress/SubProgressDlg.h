#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;

// The one progress window of the program. A long operation on the user-interface thread creates it for
// its own duration (it is shown, centred, as soon as it exists), sets the number of steps and the
// caption, checks Cancelled() before each step, advances the bar by one after each finished step and
// lets events through between steps (PumpMessages) so that the window repaints and a Cancel click
// arrives. Cancel only raises the flag: the window stays until its owner destroys it. Esc does nothing,
// and the close box counts as Cancel only while the Cancel button is enabled.
class CSubProgressDlg : public QDialog
{
    Q_OBJECT

public:
    // Centred over `parent`, or over the program's main window when none is given.
    explicit CSubProgressDlg(QWidget* parent = nullptr);
    ~CSubProgressDlg() override;

    // Bar range 0 to `steps`, position 0.
    void SetSteps(int steps);
    // One finished step. The bar is repainted at once, so that an operation that does not pump
    // events still shows its progress.
    void Advance();
    // An operation that must not be interrupted disables Cancel; the close box then does nothing too.
    void EnableCancel(bool enable);
    // For an operation that lets no events through: waits until the window system shows the window (at
    // most a second), letting through every event but the user's, so that the repaints of Advance reach
    // the screen; until then the window stays blank or unseen. Call it before the operation has anything
    // half done.
    void WaitUntilShown();

    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    // True once the user cancelled. Read by the owner before each step.
    bool Cancelled() const { return m_bCancel != 0; }

    // Does nothing: Esc must neither cancel nor close the window.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnCancel();

    int m_bCancel = 0;  // 0 when created, 1 once the user cancelled
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
