#pragma once

#include "app/KeyPolicyDialog.h"

struct FixedItemNames;

namespace app {

class CSpread7U;

// "定型項目名編集": the preset names the output dialogs offer, on the live settings. The cover grid shows
// one preset a column (row 1 "タイトル", rows 2 to 5 the preset's item labels), the map grid one preset of
// map item names a column (row 1 "位置図名称", rows 2 to 5 the four names); at most four presets, and no
// more than the lists hold. OK stores both grids; キャンセル stores nothing more. Delete empties the
// selected editable cells and stores at once, which キャンセル does not undo. Row 1 is never stored.
class COutputItemEditDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // `names` (not owned) outlives the dialog.
    explicit COutputItemEditDlg(FixedItemNames& names, QWidget* parent = nullptr);

    CSpread7U* CoverGrid() const { return m_cover; }
    CSpread7U* MapGrid() const { return m_map; }

    void accept() override;

private:
    // The presets shown and stored: min(count, 4) and no more than either list holds.
    int PresetCount() const;
    void FillGrids();
    void StoreGrids();
    CSpread7U* MakeGrid();
    void ClearSelection(CSpread7U& grid);

    FixedItemNames& m_names;
    CSpread7U* m_cover = nullptr;
    CSpread7U* m_map = nullptr;
};

}  // namespace app
