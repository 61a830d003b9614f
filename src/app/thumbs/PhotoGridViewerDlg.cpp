#include "app/thumbs/PhotoGridViewerDlg.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/controls/ExpButton.h"
#include "app/doc/TavrelDoc.h"
#include "fe/img/Image.h"

namespace app {

// The rows of the wall: one per photo of the wall's copy, in its order.
class ThumbWallModel : public QAbstractListModel
{
public:
    explicit ThumbWallModel(CPhotoGridViewerDlg& dialog) : QAbstractListModel(&dialog), m_dialog(dialog) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_dialog.Wall().Count();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return m_dialog.Label(m_dialog.Wall().IdAt(index.row()));
        return QVariant();
    }
    // Every cell looks different now (ticks, captions, order): the view repaints what it shows.
    void RefreshAll()
    {
        if (rowCount() > 0)
            emit dataChanged(index(0), index(rowCount() - 1));
    }
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    CPhotoGridViewerDlg& m_dialog;
};

namespace {

constexpr QSize kGridMargin(20, 30);

// Paints a row's thumbnail from the dialog's kept picture, and its label under it.
class ThumbCellDelegate : public QStyledItemDelegate
{
public:
    explicit ThumbCellDelegate(CPhotoGridViewerDlg& dialog) : QStyledItemDelegate(&dialog), m_dialog(dialog) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return m_dialog.CellSize() + kGridMargin - QSize(4, 4);
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize cell = m_dialog.CellSize();
        const QPoint topLeft(option.rect.x() + (option.rect.width() - cell.width()) / 2, option.rect.y() + 2);
        m_dialog.PaintCell(*painter, topLeft, index.row());
        if (option.state & QStyle::State_Selected) {
            // What a rubber band holds until the button is released.
            painter->save();
            painter->setPen(QPen(option.palette.highlight().color(), 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRect(topLeft, cell).adjusted(-1, -1, 1, 1));
            painter->restore();
        }
        const QString label = index.data(Qt::DisplayRole).toString();
        if (!label.isEmpty()) {
            painter->save();
            painter->setPen(option.palette.text().color());
            painter->drawText(QRect(option.rect.x(), topLeft.y() + cell.height() + 2, option.rect.width(),
                                    option.rect.bottom() - topLeft.y() - cell.height() - 2),
                              Qt::AlignHCenter | Qt::AlignTop, label);
            painter->restore();
        }
    }

private:
    CPhotoGridViewerDlg& m_dialog;
};

const QString kCaptionBoxTexts[3] = {QStringLiteral("緯度経度"), QStringLiteral("撮影日時"),
                                     QStringLiteral("ファイル名")};
const QString kSizeTexts[kThumbSizeCount] = {QStringLiteral("大"), QStringLiteral("中"), QStringLiteral("小")};

}  // namespace

ThumbListView::ThumbListView(QWidget* parent) : QListView(parent)
{
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionRectVisible(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void ThumbListView::mousePressEvent(QMouseEvent* event)
{
    m_pressPos = event->position().toPoint();
    m_pressOnEmpty = event->button() == Qt::LeftButton && !indexAt(m_pressPos).isValid();
    m_rubberBand = false;
    QListView::mousePressEvent(event);
}

void ThumbListView::mouseMoveEvent(QMouseEvent* event)
{
    // A press on empty space followed by a drag starts a rubber band.
    if (m_pressOnEmpty && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance())
        m_rubberBand = true;
    QListView::mouseMoveEvent(event);
}

void ThumbListView::mouseReleaseEvent(QMouseEvent* event)
{
    QListView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const bool rubberBand = m_rubberBand;
    m_rubberBand = false;
    m_pressOnEmpty = false;
    emit Clicked((event->modifiers() & Qt::ShiftModifier) != 0, rubberBand);
}

void ThumbListView::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+A ticks photos; the list's own select-all would only highlight them.
    if (event->matches(QKeySequence::SelectAll)) {
        event->ignore();
        return;
    }
    QListView::keyPressEvent(event);
}

void ThumbListView::contextMenuEvent(QContextMenuEvent* event)
{
    emit ContextMenuAt(event->pos(), event->globalPos());
}

CPhotoGridViewerDlg::CPhotoGridViewerDlg(CTavrelDoc& doc, int mapIndex, std::vector<std::int32_t> selectedIds,
                                         QWidget* parent)
    : CKeyPolicyDialog(parent),
      m_doc(doc),
      m_wall(doc.GetProject().photos),
      m_scratch(std::make_unique<fe::img::Image>())
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint);
    m_mapIndex = doc.GetProject().maps.IsValidIndex(mapIndex) ? mapIndex : -1;
    m_wall.SetSelectedIds(std::move(selectedIds));

    auto* showGroup = new QGroupBox(QStringLiteral("表示"), this);
    auto* showRow = new QHBoxLayout(showGroup);
    showRow->addWidget(new QLabel(QStringLiteral("サイズ"), showGroup));
    for (int k = 0; k < kThumbSizeCount; ++k) {
        auto* button = new CExpButton(kSizeTexts[k], showGroup);
        button->setMinimumSize(32, 26);
        connect(button, &CExpButton::clicked, this, [this, k] { SetSize(k); });
        m_sizeButtons[static_cast<size_t>(k)] = button;
        showRow->addWidget(button);
    }
    showRow->addSpacing(12);
    for (size_t k = 0; k < m_captionBoxes.size(); ++k) {
        m_captionBoxes[k] = new QCheckBox(kCaptionBoxTexts[k], showGroup);
        connect(m_captionBoxes[k], &QCheckBox::toggled, this, &CPhotoGridViewerDlg::RefreshCells);
        showRow->addWidget(m_captionBoxes[k]);
    }
    auto* sortGroup = new QGroupBox(QStringLiteral("ソート"), this);
    auto* sortRow = new QHBoxLayout(sortGroup);
    m_sortShotTime = new QPushButton(m_wall.ShotTimeButtonText(), sortGroup);
    m_sortFileName = new QPushButton(m_wall.FileNameButtonText(), sortGroup);
    sortRow->addWidget(m_sortShotTime);
    sortRow->addWidget(m_sortFileName);
    connect(m_sortShotTime, &QPushButton::clicked, this, [this] { Sort(PhotoWall::kByShotTime); });
    connect(m_sortFileName, &QPushButton::clicked, this, [this] { Sort(PhotoWall::kByFileName); });
    m_clear = new QPushButton(QStringLiteral("選択全解除"), this);
    connect(m_clear, &QPushButton::clicked, this, [this] {
        m_wall.ClearTicks();
        RefreshCells();
    });

    m_list = new ThumbListView(this);
    m_model = new ThumbWallModel(*this);
    m_list->setModel(m_model);
    m_list->setItemDelegate(new ThumbCellDelegate(*this));
    connect(m_list, &ThumbListView::Clicked, this, &CPhotoGridViewerDlg::OnClicked);
    connect(m_list, &ThumbListView::ContextMenuAt, this, [this](const QPoint& at, const QPoint& global) {
        PrepareContextMenu(at);
        m_menu->exec(global);
    });
    m_menu = new QMenu(this);
    m_markAction = m_menu->addAction(QStringLiteral("削除"));
    m_unmarkAction = m_menu->addAction(QStringLiteral("削除取り消し"));
    connect(m_markAction, &QAction::triggered, this, [this] { SetMarkOfMenuPhoto(true); });
    connect(m_unmarkAction, &QAction::triggered, this, [this] { SetMarkOfMenuPhoto(false); });

    m_excel = new QPushButton(QStringLiteral(" Excel出力"), this);
    m_excel->setEnabled(false);
    connect(m_excel, &QPushButton::clicked, this, &CPhotoGridViewerDlg::ExportPhotoSet);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    SetOkButton(ok);
    SetCancelButton(cancel);
    connect(ok, &QPushButton::clicked, this, &CPhotoGridViewerDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CPhotoGridViewerDlg::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(showGroup);
    top->addWidget(sortGroup);
    top->addWidget(m_clear, 0, Qt::AlignBottom);
    top->addStretch();
    auto* hints = new QVBoxLayout;
    hints->addWidget(new QLabel(QStringLiteral("複数選択 ：Shiftキー+左クリック"), this));
    hints->addWidget(new QLabel(QStringLiteral("削除 ：右クリック ※\"削除\"付き写真は\"OK\"時に削除"), this));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_excel);
    bottom->addLayout(hints);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    // 635 x 380 dialog units of the 8-point dialog font.
    const QSize initial(952, 618);
    resize(initial);
    setMinimumSize(initial - QSize(180, 200));

    BuildThumbnails();
}

CPhotoGridViewerDlg::~CPhotoGridViewerDlg() = default;

void CPhotoGridViewerDlg::SetPhotoSetExport(std::function<void(const PhotoList&)> exportPhotoSet)
{
    m_exportPhotoSet = std::move(exportPhotoSet);
    m_excel->setEnabled(static_cast<bool>(m_exportPhotoSet));
}

QString CPhotoGridViewerDlg::Label(std::int32_t photoId) const
{
    if (m_mapIndex < 0 || photoId < 0)
        return QString();
    const PlacedPhotoList& placed = m_doc.GetProject().maps.maps[static_cast<size_t>(m_mapIndex)].photos;
    return placed.NumberText(placed.IndexOfPhoto(photoId));
}

void CPhotoGridViewerDlg::BuildThumbnails()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_list->setUpdatesEnabled(false);
    const Project& project = m_doc.GetProject();
    const QString folder = m_sizeIndex == 0   ? project.ThumbFolderL()
                           : m_sizeIndex == 1 ? project.ThumbFolderM()
                                              : project.ThumbFolderS();
    const QSize cell = CellSize();
    m_thumbs.clear();
    m_thumbs.reserve(m_wall.Count());
    for (const PhotoRecord& photo : m_wall.Photos().photos) {
        m_thumbs.insert(photo.id, LoadPlainThumb(folder + photo.FileName(), cell));
        ++m_reads;
    }
    for (int k = 0; k < kThumbSizeCount; ++k) {
        m_sizeButtons[static_cast<size_t>(k)]->checked = k == m_sizeIndex;
        m_sizeButtons[static_cast<size_t>(k)]->update();
    }
    for (QCheckBox* box : m_captionBoxes)
        box->setEnabled(m_sizeIndex != 2);
    m_list->setGridSize(cell + kGridMargin);
    m_model->Reset();
    m_list->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
    UpdateTitle();
}

void CPhotoGridViewerDlg::SetSize(int sizeIndex)
{
    if (sizeIndex == m_sizeIndex || sizeIndex < 0 || sizeIndex >= kThumbSizeCount) {
        // The current size's button stays pressed.
        m_sizeButtons[static_cast<size_t>(m_sizeIndex)]->checked = true;
        m_sizeButtons[static_cast<size_t>(m_sizeIndex)]->update();
        return;
    }
    m_sizeIndex = sizeIndex;
    BuildThumbnails();
}

void CPhotoGridViewerDlg::PaintCell(QPainter& painter, QPoint topLeft, int row)
{
    const std::int32_t id = m_wall.IdAt(row);
    if (id < 0)
        return;
    const QSize cell = CellSize();
    const auto thumb = m_thumbs.constFind(id);
    const QImage plain = thumb != m_thumbs.constEnd() ? thumb.value() : MissingThumb(cell);
    ThumbCellLook look;
    look.marked = m_wall.IsMarked(id);
    look.tick = m_wall.ShowsTick(id);
    if (m_sizeIndex != 2 && !look.marked) {
        look.caption = PhotoWall::CaptionText(m_wall.Photos().photos[static_cast<size_t>(row)],
                                              m_captionBoxes[0]->isChecked(), m_captionBoxes[1]->isChecked(),
                                              m_captionBoxes[2]->isChecked());
    }
    PaintThumbCell(painter, topLeft, cell, plain, look, m_fonts, *m_scratch);
}

void CPhotoGridViewerDlg::RefreshCells()
{
    m_model->RefreshAll();
    m_list->viewport()->update();
    UpdateTitle();
}

void CPhotoGridViewerDlg::UpdateTitle()
{
    setWindowTitle(m_wall.Title());
}

void CPhotoGridViewerDlg::OnClicked(bool shift, bool rubberBand)
{
    // The list's own selection only carries the click; the ticks are the wall's.
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    m_list->selectionModel()->clearSelection();
    m_wall.Click(rows, shift, rubberBand);
    RefreshCells();
}

void CPhotoGridViewerDlg::Sort(PhotoWall::SortKey key)
{
    m_wall.Sort(key);
    m_sortShotTime->setText(m_wall.ShotTimeButtonText());
    m_sortFileName->setText(m_wall.FileNameButtonText());
    RefreshCells();
}

void CPhotoGridViewerDlg::TickAll()
{
    m_wall.TickAll();
    RefreshCells();
}

void CPhotoGridViewerDlg::PrepareContextMenu(const QPoint& viewportPos)
{
    const QModelIndex index = m_list->indexAt(viewportPos);
    m_menuRow = index.isValid() ? index.row() : -1;
    const std::int32_t id = m_wall.IdAt(m_menuRow);
    const bool marked = id >= 0 && m_wall.IsMarked(id);
    m_markAction->setEnabled(id < 0 || !marked);
    m_unmarkAction->setEnabled(id < 0 || marked);
}

void CPhotoGridViewerDlg::SetMarkOfMenuPhoto(bool marked)
{
    const std::int32_t id = m_wall.IdAt(m_menuRow);
    if (id < 0)
        return;
    if (marked)
        m_wall.Mark(id);
    else
        m_wall.Unmark(id);
    RefreshCells();
}

void CPhotoGridViewerDlg::ExportPhotoSet()
{
    if (!m_exportPhotoSet)
        return;
    setEnabled(false);
    m_exportPhotoSet(m_wall.PhotoSetList());
    setEnabled(true);
}

void CPhotoGridViewerDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::SelectAll)) {
        TickAll();
        return;
    }
    CKeyPolicyDialog::keyPressEvent(event);
}

}  // namespace app
