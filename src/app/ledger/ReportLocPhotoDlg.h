#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "app/doc/ProjectChange.h"
#include "app/ledger/LedgerHooks.h"
#include "app/settings/CommentTemplate.h"

class CTavrelDoc;
class LocationMap;
struct Rect2;
struct Project;
class QAbstractButton;
class QCheckBox;
class QLabel;
class QMenu;
struct ProjectChangeOutcome;

namespace app {

class CLedgerPreview;
class CSpread7U;

// "写真台帳": the modeless editor of one location map's photo ledger. Its grid shows the map's entries in
// their order (number, working number, thumbnail, shot date, shot time, comment); the editable cells are
// a working copy that ReadGrid writes into the project, matched by photo id and only where a cell differs
// from what was filled, so a change the frame or the view made meanwhile (a mark moved, a photo removed)
// is kept. Reorders, numbering, crop frames and turns go into the records at once. Every change runs
// through the document, which saves it; a failed save is told once, until a save succeeds again.
//
// The left half is the preview of the current entry's photo with its crop frame; the control ids of the
// buttons are the program's own (Control).
class CReportLocPhotoDlg : public QDialog
{
    Q_OBJECT

public:
    // Grid columns.
    enum Column : int
    {
        kColNumber = 1,
        kColWorkNumber = 2,
        kColThumbnail = 3,
        kColDate = 4,
        kColTime = 5,
        kColComment = 6,
    };
    // Control ids.
    enum Control : int
    {
        kCtlAllowRotation = 1129,
        kCtlTurnLeft = 1106,
        kCtlTurnRight = 1107,
        kCtlFourByThree = 1108,
        kCtlWholePicture = 1140,
        kCtlNumbering = 1024,
        kCtlAllowDateEdit = 1130,
        kCtlMouseSort = 1313,
        kCtlRunLineSort = 1138,
        kCtlContactWidth = 1326,
        kCtlDirection1 = 1133,
        kCtlDirection2 = 1134,
        kCtlDirection3 = 1135,
        kCtlDirection4 = 1136,
        kCtlHelp = 1100,
        kCtlExcel = 1198,
        kCtlCommentCategory = 1066,
        kCtlUp = 1014,
        kCtlDown = 1013,
        kCtlRemove = 1086,
        kCtlClose = 1,
    };

    // `doc` outlives the dialog. The comment templates are read from `templatePath` (a missing file
    // leaves them empty), and read again when a category is chosen.
    CReportLocPhotoDlg(CTavrelDoc& doc, LedgerHooks hooks, const QString& templatePath = CommentTemplatePath(),
                       QWidget* parent = nullptr);
    ~CReportLocPhotoDlg() override;

    // Binds the dialog to a map (an index of the project's maps), sets the title and the direction
    // captions; the grid is filled by FillGrid.
    void SetLocationMap(int mapIndex);
    int MapIndex() const { return m_mapIndex; }
    void SetLedgerTitle();
    // Rebuilds the grid from the map; with keepRow the current row stays (none when the list got shorter).
    void FillGrid(bool keepRow);
    // After a change of the map's entries or of the photos made elsewhere (a sort in the survey dialog, a
    // mark placed or removed): the grid is filled again, the current row stays on its photo, and the cells
    // typed but not yet written keep their texts on their photos' rows, still to be written.
    void RefillKeepingEdits();
    // Writes the cells that differ from what was filled into the records (working numbers, the photos'
    // dates and times, comments), matched by photo id. An open cell editor is closed first.
    void ReadGrid();
    // Row 1-based; 0 or less: none. The frame is told (currentRowChanged), so that the row's photo
    // becomes the selection; FollowRow moves the row to a selection made elsewhere without telling it.
    void SetCurrentRow(int row);
    void FollowRow(int row);
    int CurrentRow() const { return m_currentRow; }
    // The photo-list index of the current row's photo, -1 when there is none.
    int GetCurrentPhotoIndex() const;
    void UpdateSortMarks(bool reset);

    // The renumbering dialog's calls.
    void NumberSerially();
    void ApplyNewNumbers();
    void CloseNumberingDialog();
    bool NumberingDialogShown() const;
    // "マウスでソート" is checked (the view's line mode).
    bool LineSwitch() const { return m_lineSwitch; }
    // "実行" and the view's sort command: the map's photos sorted along the drawn line.
    void SortAlongLine();

    // The comment templates and the chosen category (-1 none).
    const CommentTemplateSet& Templates() const { return m_templates; }
    int CommentCategory() const { return m_category; }
    void SetCommentCategory(int category);
    // The menu of the chosen category's templates for the current row's comment, or null when it is not
    // offered (no current row, another column active, no category or fewer than two templates).
    std::unique_ptr<QMenu> MakeTemplateMenu();
    // When no comment templates exist: a menu whose one disabled item says so and where they are made;
    // else none.
    std::unique_ptr<QMenu> MakeNoTemplatesMenu();
    // Template i of the chosen category appended to the current row's comment, which is then written.
    void ApplyCommentTemplate(int index);

    CSpread7U* Grid() const { return m_grid; }
    CLedgerPreview* Preview() const { return m_preview; }
    QAbstractButton* ControlButton(int id) const { return m_controls.value(id); }
    QLabel* CategoryLabel() const { return m_categoryLabel; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct FilledRow
    {
        int photoId = -1;
        bool locked = false;
        QString workNumber, date, time, comment;
    };

    void BuildControls();
    bool Bound() const;
    const LocationMap* Map() const;
    // Runs a change of the bound map through the document; false when nothing changed.
    bool ChangeMap(ProjectChanges kinds, const std::function<bool(Project&, LocationMap&)>& edit);
    void ApplyColours();
    void ApplyDateLock();
    void WidenCommentColumn();
    void LoadVisibleThumbnails();
    void LoadPreviewPhoto(bool resetFrame);
    void UpdateControls();
    void ReorderAndRefill(ProjectChanges kinds, const std::function<void(Project&, LocationMap&)>& sort);

    void OnCellChanged(int col, int row);
    void OnCurrentCellChanged(int row, int previousRow);
    void OnRightClick(int col, int row, const QPoint& global);
    // A right click on an open cell editor; true when the ledger showed its own menu.
    bool OnEditorContextMenu(const QPoint& global);
    void OnKeyDown(int* keyCode, int shift);
    void OnHeaderClicked(int section);
    void MoveCurrent(bool up);
    void OrderByDirection(int direction);
    void RemoveCurrentPhoto();
    void ChooseCommentCategory();
    void OpenNumberingDialog();
    void TurnPhoto(bool left);
    void SetCurrentFrame(const Rect2& frame);
    void OnClose();
    void EditContactWidth();
    void ShowHelp();

    CTavrelDoc& m_doc;
    LedgerHooks m_hooks;
    int m_mapIndex = -1;
    QString m_templatePath;
    CommentTemplateSet m_templates;
    int m_category = -1;
    int m_sortedColumn = 0;
    bool m_ascending = true;
    bool m_lineSwitch = false;
    bool m_filling = false;
    bool m_following = false;
    bool m_changing = false;       // a change of the ledger's own runs through the document
    bool m_inFill = false;         // FillGrid runs
    bool m_editOnArrival = false;  // the user is moving the active cell into the comment column
    int m_currentRow = 0;
    int m_firstThumb = 0;
    int m_lastThumb = 0;
    std::vector<FilledRow> m_rows;
    QPointer<QWidget> m_numbering;
    QRect m_numberingRect;

    CSpread7U* m_grid = nullptr;
    CLedgerPreview* m_preview = nullptr;
    QLabel* m_categoryLabel = nullptr;
    QHash<int, QAbstractButton*> m_controls;
};

// The ledger's window title: "写真台帳 <map name> (<entries>枚)".
QString LedgerTitle(const QString& mapName, int entries);

}  // namespace app
