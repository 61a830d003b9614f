#pragma once

#include "app/KeyPolicyDialog.h"

class CTavrelDoc;

namespace app {

class CExpEdit;

// What the numbering dialog asks of the photo ledger that owns it. The working numbers (変更後番号) live in
// the map's placed entries in memory only.
class NumberingLedger
{
public:
    virtual ~NumberingLedger() = default;
    // Gives the entries without a working number prefix + (first number + k) + suffix: over the ledger's
    // selected block of two or more rows, else over every entry (PlacedPhotoList::AssignDisplayNumbers).
    virtual void NumberSerially() = 0;
    // Each pending working number becomes its entry's number text and is cleared; the ledger, the photo
    // list and the view are refreshed.
    virtual void ApplyNewNumbers() = 0;
    // The ledger's grid is filled again from the map.
    virtual void FillGrid() = 0;
    // Keeps the dialog's rectangle, deletes the dialog (deleteLater), refills the grid without the
    // working-number column and saves the project.
    virtual void CloseNumberingDialog() = 0;
};

// The first serial number a map keeps: 1 to 99999. Anything else (an empty edit) leaves the map's value.
inline bool IsStoredStartNumber(int value)
{
    return value >= 1 && value <= 99999;
}

// 番号付番: the modeless dialog of the photo ledger that sets one map's numbering scheme (prefix, first
// number, suffix), gives the map's entries working numbers, applies them as their number texts or clears
// them. It has no close box and Esc does nothing: only 付番終了 (or the ledger) ends it. The scheme is
// stored in the map through the document; the working numbers are run-time state and never saved.
class CSetNumberingIdDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    CSetNumberingIdDlg(CTavrelDoc& document, NumberingLedger& ledger, int mapIndex, QWidget* parent = nullptr);

    int MapIndex() const { return m_mapIndex; }
    // The edits show the map's scheme (an unstorable first number shows empty).
    void LoadNumbering();
    // The map takes the edits' scheme; the first number only when it is 1 to 99999. A failed save is told.
    void StoreNumbering();

    // The buttons.
    void NumberSerially();
    void ApplyNumbers();
    void ClearNumbers();
    void EndNumbering();

    CExpEdit* PrefixEdit() const { return m_prefix; }
    CExpEdit* StartEdit() const { return m_start; }
    CExpEdit* SuffixEdit() const { return m_suffix; }

public slots:
    void reject() override {}

private:
    bool HasPendingNumbers() const;

    CTavrelDoc& m_document;
    NumberingLedger& m_ledger;
    int m_mapIndex;
    CExpEdit* m_prefix = nullptr;
    CExpEdit* m_start = nullptr;
    CExpEdit* m_suffix = nullptr;
};

}  // namespace app
