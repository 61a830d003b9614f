#pragma once

#include <QHash>
#include <QImage>
#include <QListView>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/KeyPolicyDialog.h"
#include "app/thumbs/PhotoWall.h"
#include "app/thumbs/ThumbCell.h"

class CTavrelDoc;
class QAction;
class QCheckBox;
class QMenu;
class QPushButton;

namespace app {

class CExpButton;
class ThumbWallModel;

// The list of the wall: an icon view whose clicks and rubber bands end in Clicked, after the view has
// selected what was hit, and whose Ctrl+A goes to the dialog.
class ThumbListView : public QListView
{
    Q_OBJECT

public:
    explicit ThumbListView(QWidget* parent = nullptr);

signals:
    // The mouse was released after a click or a rubber band; the view's selection holds what was hit.
    void Clicked(bool shift, bool rubberBand);
    void ContextMenuAt(const QPoint& viewportPos, const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPoint m_pressPos;
    bool m_pressOnEmpty = false;
    bool m_rubberBand = false;
};

// "一覧選択": every photo of the project as a thumbnail (大 / 中 / 小), with captions, sorting by shot time or
// file name, ticks (the photo pane's selection after OK) and 削除 marks (deleted by the caller after OK).
// It works on its own copy of the photo list and changes nothing in the project. Each thumbnail file is
// read once per size; a tick, mark or caption change repaints the cell from the kept thumbnail.
class CPhotoGridViewerDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // `doc` (not owned) outlives the dialog. `mapIndex` is the current location map (-1 for none), whose
    // number texts label the thumbnails; `selectedIds` the photos ticked at the start.
    CPhotoGridViewerDlg(CTavrelDoc& doc, int mapIndex, std::vector<std::int32_t> selectedIds,
                        QWidget* parent = nullptr);
    ~CPhotoGridViewerDlg() override;

    // Writes the photo set workbook of the list it is given (" Excel出力"); the button is off without it.
    void SetPhotoSetExport(std::function<void(const PhotoList&)> exportPhotoSet);

    const PhotoWall& Wall() const { return m_wall; }
    const std::vector<std::int32_t>& SelectedIds() const { return m_wall.SelectedIds(); }
    const std::vector<std::int32_t>& MarkedIds() const { return m_wall.MarkedIds(); }
    int SizeIndex() const { return m_sizeIndex; }
    QSize CellSize() const { return ThumbCellSize(m_sizeIndex); }
    // How many thumbnail files were read so far (each once per size).
    int ThumbnailReads() const { return m_reads; }
    // The number text under a photo's thumbnail.
    QString Label(std::int32_t photoId) const;

    // Controls, for tests.
    ThumbListView* List() const { return m_list; }
    CExpButton* SizeButton(int sizeIndex) const { return m_sizeButtons[static_cast<size_t>(sizeIndex)]; }
    QCheckBox* CaptionBox(int k) const { return m_captionBoxes[static_cast<size_t>(k)]; }
    QPushButton* ShotTimeSortButton() const { return m_sortShotTime; }
    QPushButton* FileNameSortButton() const { return m_sortFileName; }
    QPushButton* ClearButton() const { return m_clear; }
    QPushButton* ExcelButton() const { return m_excel; }
    QAction* MarkAction() const { return m_markAction; }
    QAction* UnmarkAction() const { return m_unmarkAction; }
    // Readies the context menu for the viewport point, as a right click there does.
    void PrepareContextMenu(const QPoint& viewportPos);

    // Paints the thumbnail of the photo at `row` as the list shows it, for the delegate and for tests.
    void PaintCell(QPainter& painter, QPoint topLeft, int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildThumbnails();
    void SetSize(int sizeIndex);
    void RefreshCells();
    void UpdateTitle();
    void OnClicked(bool shift, bool rubberBand);
    void Sort(PhotoWall::SortKey key);
    void TickAll();
    // 削除 (true) or 削除取り消し (false) of the photo the context menu was opened on.
    void SetMarkOfMenuPhoto(bool marked);
    void ExportPhotoSet();

    CTavrelDoc& m_doc;
    int m_mapIndex = -1;
    PhotoWall m_wall;
    int m_sizeIndex = 1;
    QHash<std::int32_t, QImage> m_thumbs;
    int m_reads = 0;
    ThumbCellFonts m_fonts;
    std::unique_ptr<fe::img::Image> m_scratch;
    std::function<void(const PhotoList&)> m_exportPhotoSet;
    int m_menuRow = -1;

    ThumbWallModel* m_model = nullptr;
    ThumbListView* m_list = nullptr;
    std::array<CExpButton*, kThumbSizeCount> m_sizeButtons{};
    std::array<QCheckBox*, 3> m_captionBoxes{};
    QPushButton* m_sortShotTime = nullptr;
    QPushButton* m_sortFileName = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_excel = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_markAction = nullptr;
    QAction* m_unmarkAction = nullptr;
};

}  // namespace app
