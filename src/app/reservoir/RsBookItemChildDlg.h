#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

class CTavrelDoc;
class QLabel;
class QPushButton;

namespace app {

class CReservoirPhotoDlg;
class CSpread7U;
class SurveyPicturePreview;

// One tab page of the survey dialog: the photo rows of one survey table of the chosen map (number,
// thumbnail, editable 変状説明, the photo's number on the map), with row delete and moves, and on the
// tables with a drawing its picture with "読込" and "削除". Every change is one change of the document.
class CRsBookItemChildDlg : public QWidget
{
    Q_OBJECT

public:
    CRsBookItemChildDlg(CTavrelDoc& document, CReservoirPhotoDlg& owner, QWidget* parent = nullptr);

    // The table this page shows (0 to 7); made once. Tables without a drawing hide the picture part and
    // move the rows up.
    void SetPageKind(int kind);
    int Kind() const { return m_kind; }
    // Fills the page for a map, -1 for none.
    void ShowMap(int mapIndex);
    // Reads the descriptions typed in the grid back into the table (as far as it has rows).
    void SaveDescriptions();
    // The grid's active row (1-based), 0 without one.
    int ActiveRow() const;
    void SetActiveRow(int row);
    int RowCount() const;
    void UpdateButtons();

    // The controls, for the survey dialog and the tests.
    CSpread7U* Grid() const { return m_grid; }
    SurveyPicturePreview* PictureFrame() const { return m_pictureFrame; }
    QPushButton* LoadButton() const { return m_load; }
    QPushButton* DeletePictureButton() const { return m_deletePicture; }
    QPushButton* DeleteRowButton() const { return m_deleteRow; }
    QPushButton* UpButton() const { return m_up; }
    QPushButton* DownButton() const { return m_down; }

    void OnLoadPicture();
    void OnDeletePicture();
    void OnDeleteRow();
    void OnMoveUp();
    void OnMoveDown();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool HasMap() const;
    void LayOutGrid();
    void ColourGrid();
    void LoadTablePicture();
    void MoveRow(int offset);
    void ShowRowPhoto(int row);

    CTavrelDoc& m_document;
    CReservoirPhotoDlg& m_owner;
    int m_kind = -1;
    int m_mapIndex = -1;
    QImage m_picture;  // the table's picture, turned by its rotation

    QLabel* m_title = nullptr;
    SurveyPicturePreview* m_pictureFrame = nullptr;
    QPushButton* m_load = nullptr;
    QPushButton* m_deletePicture = nullptr;
    QLabel* m_rowsLabel = nullptr;
    CSpread7U* m_grid = nullptr;
    QPushButton* m_deleteRow = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
};

}  // namespace app
