#pragma once

class CTavrelDoc;
class QWidget;

namespace app {

class CReportLocPhotoDlg;

// The renumbering dialog (番号付番) of a photo ledger: a CSetNumberingIdDlg for the map of `mapIndex`
// whose numbering steps run in the ledger. Modeless and hidden, a child of the ledger, which places and
// shows it.
QWidget* MakeLedgerNumberingDialog(CTavrelDoc& doc, CReportLocPhotoDlg& ledger, int mapIndex);

// The ledger was filled for the map of `mapIndex` while `numbering` (made above) is shown: the dialog
// stores its scheme into the map it numbers, then shows that of `mapIndex`. For another map a new dialog
// takes the place of the old one (same place, shown), which goes once its events are handled. Answers
// the dialog that numbers `mapIndex`.
QWidget* RebindLedgerNumberingDialog(CTavrelDoc& doc, CReportLocPhotoDlg& ledger, QWidget* numbering,
                                     int mapIndex);

}  // namespace app
