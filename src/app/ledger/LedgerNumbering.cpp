#include "app/ledger/LedgerNumbering.h"

#include "app/ledger/ReportLocPhotoDlg.h"
#include "app/photos/NumberingDlg.h"

namespace app {
namespace {

// The numbering dialog's steps, run by the ledger. Owned by the dialog (a child object of it).
class LedgerNumberingSteps : public QObject, public NumberingLedger
{
public:
    explicit LedgerNumberingSteps(CReportLocPhotoDlg& ledger) : m_ledger(ledger) {}

    void NumberSerially() override { m_ledger.NumberSerially(); }
    void ApplyNewNumbers() override { m_ledger.ApplyNewNumbers(); }
    void FillGrid() override { m_ledger.FillGrid(true); }
    void CloseNumberingDialog() override { m_ledger.CloseNumberingDialog(); }

private:
    CReportLocPhotoDlg& m_ledger;
};

}  // namespace

QWidget* MakeLedgerNumberingDialog(CTavrelDoc& doc, CReportLocPhotoDlg& ledger, int mapIndex)
{
    auto* steps = new LedgerNumberingSteps(ledger);
    auto* dialog = new CSetNumberingIdDlg(doc, *steps, mapIndex, &ledger);
    steps->setParent(dialog);
    return dialog;
}

QWidget* RebindLedgerNumberingDialog(CTavrelDoc& doc, CReportLocPhotoDlg& ledger, QWidget* numbering,
                                     int mapIndex)
{
    auto* dialog = qobject_cast<CSetNumberingIdDlg*>(numbering);
    if (!dialog)
        return numbering;
    dialog->StoreNumbering();
    if (dialog->MapIndex() == mapIndex) {
        dialog->LoadNumbering();
        return dialog;
    }
    // The dialog numbers one map for its life: another map gets a dialog of its own in the same place.
    QWidget* next = MakeLedgerNumberingDialog(doc, ledger, mapIndex);
    next->setWindowFlags(dialog->windowFlags());
    next->setGeometry(dialog->geometry());
    next->setObjectName(dialog->objectName());
    next->setWindowTitle(dialog->windowTitle());
    next->show();
    // The old dialog may be on the stack (its own button refilled the ledger).
    dialog->hide();
    dialog->deleteLater();
    return next;
}

}  // namespace app
