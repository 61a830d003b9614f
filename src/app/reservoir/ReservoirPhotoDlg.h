#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <functional>

#include "app/KeyPolicyDialog.h"

class CTavrelDoc;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace app {

class CRsBookItemChildDlg;
class CSpread7U;
class SurveyPicturePreview;

// "ため池劣化状況評価調査表": the modal editor of one location map's reservoir survey at a time. On the left
// a photo preview, the map list and the map's placed photos; on the right the reservoir's ID, name and
// survey date and the eight survey tables as tabs. A placed photo goes into the current table with the
// ▶ of "追加" (a new row) or "変更" (replacing the table's active row). Every edit is one change of the
// document, which saves it at once. The width stays as opened; the height can only grow.
class CReservoirPhotoDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    static constexpr int kTableCount = 8;

    // Opens on the map at `mapIndex`; -1 (or any index outside the list) selects the first map.
    CReservoirPhotoDlg(CTavrelDoc& document, int mapIndex, QWidget* parent = nullptr);
    ~CReservoirPhotoDlg() override;

    // What the output button runs after the edits were stored: the frame's survey workbook output. The
    // button is disabled without one.
    void SetOutputHandler(std::function<void()> output);

    int MapIndex() const { return m_mapIndex; }
    int CurrentTable() const { return m_tab; }
    void SelectMap(int mapIndex);
    void SelectTable(int table);

    // Used by the pages.
    void ShowPhotoPreview(int row);
    void ShowPhotoPreviewById(int photoId);
    void ShowPicturePreview(const QImage& picture);
    void UpdateButtons();
    // Stores the information texts and every page's descriptions.
    void SaveEdits();

    void OnAdd();
    void OnChange();
    // A click on the photo grid's header of a column (1-based): columns 1, 3 and 4 sort the map's photos.
    void OnHeaderClicked(int column);

    // The controls, for the frame and the tests.
    CSpread7U* PhotoGrid() const { return m_photoGrid; }
    CSpread7U* InfoGrid() const { return m_infoGrid; }
    QComboBox* MapList() const { return m_mapList; }
    QTabWidget* Tabs() const { return m_tabs; }
    CRsBookItemChildDlg* Page(int table) const { return m_pages[static_cast<size_t>(table)]; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* ChangeButton() const { return m_change; }
    QPushButton* OutputButton() const { return m_output; }
    QPushButton* CloseButton() const { return m_close; }
    SurveyPicturePreview* Preview() const { return m_preview; }
    QLabel* Caption() const { return m_caption; }
    // The rows of the photo grid whose thumbnails are loaded (1-based, both ends), 0 and 0 for none.
    int LoadedFirst() const { return m_loadedFirst; }
    int LoadedLast() const { return m_loadedLast; }

    void accept() override;
    void reject() override {}

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void FillMapList();
    void FillPhotoGrid(bool keepActiveRow);
    void FillInfoGrid();
    void ColourPhotoGrid();
    void LoadVisibleThumbnails();
    void ShowTab(int table);
    void RefillPages();
    // Puts the photo grid's chosen photo into the current table: a new row for pageRow 0, else in place
    // of that row.
    void PutChosenPhoto(int pageRow);
    int PreviewPhotoIndex(int photoIndex);
    void LayOut();

    CTavrelDoc& m_document;
    int m_mapIndex = -1;
    int m_tab = 0;
    std::uint8_t m_sortAscending = 1;
    int m_sortColumn = -1;
    int m_loadedFirst = 0;
    int m_loadedLast = 0;
    QSize m_openingSize;
    std::function<void()> m_outputHandler;
    bool m_filling = false;

    SurveyPicturePreview* m_preview = nullptr;
    QLabel* m_mapLabel = nullptr;
    QComboBox* m_mapList = nullptr;
    CSpread7U* m_photoGrid = nullptr;
    QLabel* m_addLabel = nullptr;
    QPushButton* m_add = nullptr;
    QLabel* m_changeLabel = nullptr;
    QPushButton* m_change = nullptr;
    CSpread7U* m_infoGrid = nullptr;
    QLabel* m_caption = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::array<CRsBookItemChildDlg*, kTableCount> m_pages{};
    QPushButton* m_output = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace app
