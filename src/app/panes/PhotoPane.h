#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/frame/CommandRules.h"
#include "app/panes/PhotoRows.h"
#include "app/view/ViewContextMenu.h"

class CMainFrame;
class QMenu;
class CTavrelDoc;
class LocationMap;
struct PhotoList;

namespace app {

class CExpButton;
class CPaneOverlapDlg;
class CPhotoGridViewerDlg;
class CSpread7U;

// The photo pane's buttons (their control ids).
enum PhotoPaneButton : int
{
    kButtonDelete = 8159,
    kButtonHelp = 8210,
    kButtonExcelList = 8213,
    kButtonListSelect = 8214,
    kButtonWriteExif = 8226,
};

// The photo list on the right: one grid row per photo of the project, in the project's order, with its
// numbers, whether it is placed on the current location map, a thumbnail, position and direction, shot
// date and time, plane coordinates on a registered map and the file names. Its selected rows are the
// photo selection of the whole program; a click on a sortable header reorders the project's photos.
class CPanePhotoDlg : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kThumbWidth = 65;
    static constexpr int kThumbHeight = 48;

    explicit CPanePhotoDlg(QWidget* parent = nullptr);

    // Set once by the frame; without a document every operation does nothing.
    void SetDocument(CTavrelDoc* document);
    // The least size the frame gives the pane; the pane may ask for more width to show its columns.
    void SetLeastSize(const QSize& size)
    {
        m_leastWidth = size.width();
        setMinimumHeight(size.height());
        FitListWidth();
    }
    // What the pane asks of the frame: a private message, a command (place, remove), the current
    // location map's index (-1 for none).
    std::function<qintptr(int, qintptr, qintptr)> sendToFrame;
    std::function<void(int)> runCommand;
    std::function<int()> currentMapIndex;
    // The keys held with a click (the application's, replaced by tests).
    std::function<Qt::KeyboardModifiers()> modifiers;
    // The frame's command state (its dialogs), hiding its modeless dialogs before a modal one, the photo
    // list workbook of the current map, and the run of the thumbnail wall (modal unless a test runs it).
    std::function<UiState()> frameState;
    std::function<void()> hideModelessDialogs;
    std::function<void()> exportPhotoList;
    // The photo set workbook of the thumbnail wall's list, the wall being the caller disabled meanwhile.
    std::function<void(const PhotoList&, QWidget*)> exportPhotoSet;
    std::function<int(CPhotoGridViewerDlg&)> runPhotoWall;
    // After photos were deleted here: the pane title, the ledger and the view follow.
    std::function<void()> afterPhotosDeleted;

    // Rebuilds every row from the project.
    void FillList();
    // Rewrites the text and check cells of the rows; the selection is kept where it still fits.
    void UpdatePhotoRows(const std::vector<int>& rows);
    // No rows, no selection, no sort.
    void ClearList();
    // Columns shown for the view mode (0 site overview, 1 picture, 2 picture in a plane zone, 3 web
    // location map; taken as 0 while the site location map dialog shows) and the number kind of the
    // view's labels (0 project number, 1 map number).
    void ApplyViewMode(int viewMode, int numberKind = 0);

    // The selection in the order the rows were added, or sorted.
    std::vector<int> GetSelectedRows(bool sorted = false) const;
    // The rows become the selection, without a message to the frame.
    void SetSelectedPhotos(const std::vector<int>& rows);

    CSpread7U* Grid() const { return m_grid; }
    int SortColumn() const { return m_sortColumn; }
    int ViewMode() const { return m_viewMode; }
    int NumberKind() const { return m_numberKind; }

    // The buttons' enabled states from the project, the rows and the selection; the whole pane is off
    // while the site-map dialog shows.
    void UpdateControls();
    CExpButton* Button(int id) const;
    // Every row becomes selected.
    void SelectAll();
    // 一覧選択: the thumbnail wall on the selection; its deletions and its selection are taken over.
    void ListSelect();
    // "?": the help pictures.
    void ShowHelp();
    // The right-button menu of the view mode (none outside modes 0 to 3) and what its items do.
    std::unique_ptr<QMenu> BuildContextMenu();
    void RunMenuCommand(int command);

    // The strip of overlapping marks: shown for two or more ids, the first chosen; taking ids off hides it
    // when fewer than two are left.
    void SetOverlapPhotos(const std::vector<int>& ids);
    void RemoveFromOverlap(const std::vector<int>& ids);
    CPaneOverlapDlg* OverlapStrip() const { return m_overlap; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const LocationMap* CurrentMap() const;
    void WriteRow(int row, const LocationMap* map);
    void ColorRows();
    void LoadVisibleThumbnails();
    void SelectionChangedByUser();
    void OnLeaveCell(int newCol, int newRow);
    void OnClick(int col, int row);
    void OnKeyDown(int* keyCode, int shift);
    void OnCheckClicked(int col, int row, int state);
    void SortByColumn(int column);
    void ResetHeaders();
    void BuildButtons();
    void LayOut();
    // Widens the columns to their headers and to the longest texts they show, and makes the pane at
    // least as wide as the list of its visible columns, so that no column is cut or scrolled away.
    void FitListWidth();
    void HideOverlapStrip();

    CTavrelDoc* m_document = nullptr;
    CSpread7U* m_grid = nullptr;
    CPaneOverlapDlg* m_overlap = nullptr;
    std::vector<CExpButton*> m_buttons;
    MenuIcons m_menuIcons;
    int m_numberKind = 0;
    PhotoRowSelection m_selection;
    bool m_activeMoved = false;
    bool m_ascending = true;
    int m_sortColumn = -1;
    int m_viewMode = 0;
    int m_firstThumb = 0;
    int m_lastThumb = 0;
    int m_leastWidth = 0;
};

// Docks the photo list into the frame's right pane and links it to the frame's messages and states.
void InstallPhotoPane(CMainFrame& frame);

}  // namespace app
