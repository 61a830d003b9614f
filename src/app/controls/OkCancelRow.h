#pragma once

class QHBoxLayout;
class QPushButton;

namespace app {

class CKeyPolicyDialog;

// The bottom row of a settings dialog: a stretch, then "OK" and "キャンセル" at the right.
struct OkCancelRow
{
    QHBoxLayout* layout = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

// Makes the row for `dialog`: OK accepts and キャンセル rejects, and both become the dialog's OK and
// Cancel buttons for its key rules. Widgets the dialog wants at the row's left go in with
// `layout->insertWidget(0, widget)`; the caller adds the layout to its own.
OkCancelRow MakeOkCancelRow(CKeyPolicyDialog& dialog);

}  // namespace app
