#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

#include "app/ledger/LedgerHooks.h"

class CMainFrame;

namespace app {

class CReportLocPhotoDlg;

// The frame's side of the photo ledger: "写真台帳" (kMsgOpenLedgerDlg) makes the one modeless dialog for
// the current map (the first map when none is current) or commits and rebinds the one there is; its
// "閉じる" and kMsgCloseLedgerDlg commit it and delete it, keeping its window rectangle for the next
// opening; its current row becomes the photo selection. The frame's links reach it: the selection moves
// its current row, refills follow the frame's changes (its pending edits committed first), and every
// project switch and close commits it. An opened, created or reset project deletes it. The dialog gets
// the comment category picker, the renumbering dialog, the sort along the map's drawn line (also the
// view's ソート実行) and the contact width dialog. One object per frame, a child of it.
class CLedgerCommands : public QObject
{
    Q_OBJECT

public:
    explicit CLedgerCommands(CMainFrame& frame);

    // The frame's ledger commands, null before InstallLedgerCommands.
    static CLedgerCommands* Of(const CMainFrame& frame);

    CReportLocPhotoDlg* Dialog() const;
    bool DialogVisible() const;

    qintptr Open();
    qintptr Close(bool commit);
    // Steps aside for a modal run: pending edits go into the project, its renumbering window closes, the
    // window rectangle is kept and the dialog is hidden; "写真台帳" shows it again.
    void Hide();
    // The ledger's current photo becomes the only selected photo (none without one).
    qintptr TakeSelectionFromLedger();
    // Pending edits of the grid go into the project.
    void Commit();
    // The grid shows the project again (bound to the current map), its pending edits committed first.
    void Refill();
    // The current row follows the photo selection: the first selected photo placed on the map.
    void FollowSelection();

private:
    LedgerHooks MakeHooks();
    void Destroy();

    CMainFrame& m_frame;
    QPointer<CReportLocPhotoDlg> m_dialog;
    QRect m_keptRect;
};

// Whether the frame's ledger exists and is shown.
bool IsLedgerDialogVisible(const CMainFrame& frame);

// 設定 → 定型項目名編集...: the preset names of the live settings; after OK setting.bin is written.
void EditFixedItemNames(CMainFrame& frame);

// Sets the ledger's message handlers, the frame's links to it and the state it supplies, and the
// handler of 定型項目名編集.
void InstallLedgerCommands(CMainFrame& frame);

}  // namespace app
