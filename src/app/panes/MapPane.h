#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "app/frame/CommandRules.h"

class CTavrelDoc;

namespace app {

class CExpButton;
class CSpread7U;

// The lower left pane, "メインビュー": chooses what the main view shows, one of the three web base maps
// of the site overview or one location map from the list of the project's maps (number, name,
// thumbnail). Its buttons copy, delete and reorder maps.
class CPaneVariousDlg : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kThumbWidth = 64;
    static constexpr int kThumbHeight = 44;

    explicit CPaneVariousDlg(QWidget* parent = nullptr);

    void SetDocument(CTavrelDoc* document) { m_document = document; }
    // What the pane asks of the frame: a private message, a command, committing the ledger's grid.
    std::function<qintptr(int, qintptr, qintptr)> sendToFrame;
    std::function<void(int)> runCommand;
    std::function<void()> commitLedger;
    // The view's tile worker stops while web maps' thumbnails are drawn from the tile cache, and starts
    // again afterwards.
    std::function<void()> stopTiles;
    std::function<void()> restartTiles;
    // The keys held with a click (the application's, replaced by tests).
    std::function<Qt::KeyboardModifiers()> modifiers;

    // One row per location map, thumbnails made again.
    void FillList();
    // No rows and no selection.
    void ClearList();
    // The selected map (-1: none, the stored base-map kind's button checked again).
    void SelectMap(int index);
    int SelectedMap() const { return m_selected; }
    // Checks base-map button k; 0 to 2 also store the kind and clear the selection, 3 checks the stored
    // kind's button again, other values check none.
    void SetMapKind(int kind);
    int MapKind() const { return m_kind; }
    // Enabled states: only the base-map buttons while the site-map dialog is visible.
    void UpdateButtons(const UiState& state);
    // Every control on or off (the busy state).
    void EnableAll(bool on);

    CSpread7U* Grid() const { return m_grid; }
    CExpButton* KindButton(int kind) const { return m_kinds[size_t(kind)]; }
    CExpButton* CopyButton() const { return m_copy; }
    CExpButton* DeleteButton() const { return m_delete; }
    CExpButton* UpButton() const { return m_up; }
    CExpButton* DownButton() const { return m_down; }
    // The cached thumbnail of a map, made when it is first asked for (a web map's from the tiles of its
    // box); null when the picture or the tiles cannot be read.
    QImage Thumbnail(int index);

private:
    void ClickRow(int row);
    void CheckKindButtons(int kind);
    void ColorRows();
    void ShowThumbnails();
    bool NeedsTiles(int index) const;
    void MoveMap(int step);
    void SelectionByUser(int index, int previous);
    void UpdateOwnButtons();

    CTavrelDoc* m_document = nullptr;
    CSpread7U* m_grid = nullptr;
    std::array<CExpButton*, 3> m_kinds{};
    CExpButton* m_copy = nullptr;
    CExpButton* m_delete = nullptr;
    CExpButton* m_up = nullptr;
    CExpButton* m_down = nullptr;
    std::vector<QImage> m_thumbs;
    int m_selected = -1;
    int m_kind = 0;
    bool m_leaveHandled = false;
    bool m_siteMapDialog = false;
    bool m_tilesResting = false;
};

}  // namespace app
