#include "app/reservoir/ReservoirPhotoDlg.h"

#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>

#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/reservoir/RsBookItemChildDlg.h"
#include "app/reservoir/SurveyLayout.h"
#include "app/reservoir/SurveyPicturePreview.h"
#include "app/reservoir/SurveyShared.h"
#include "fe/img/Image.h"
#include "reservoir/ReservoirSurveyEdit.h"
#include "reservoir/ReservoirTables.h"
#include "view/ViewPhotoLink.h"

namespace app {
namespace {

constexpr int kColNumber = 1;
constexpr int kColPhoto = 2;
constexpr int kColDate = 3;
constexpr int kColTime = 4;
constexpr int kColComment = 5;
const QColor kMissing(225, 225, 225);

const QStringList& PhotoGridHeaders()
{
    static const QStringList headers = {QStringLiteral("位置図\n写真\n番号"), QStringLiteral("写真"),
                                        QStringLiteral("撮影日"), QStringLiteral("撮影\n時刻"),
                                        QStringLiteral("コメント")};
    return headers;
}

QLabel* MakeLabel(const QString& text, const QRect& where, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(where);
    return label;
}

}  // namespace

CReservoirPhotoDlg::CReservoirPhotoDlg(CTavrelDoc& document, int mapIndex, QWidget* parent)
    : CKeyPolicyDialog(parent), m_document(document)
{
    setWindowTitle(QStringLiteral("ため池劣化状況評価調査表"));
    const int mapCount = document.GetProject().maps.Count();
    m_mapIndex = mapIndex >= 0 && mapIndex < mapCount ? mapIndex : (mapCount > 0 ? 0 : -1);
    BuildControls();
    FillMapList();
    for (int table = 0; table < kTableCount; ++table) {
        auto* page = new CRsBookItemChildDlg(document, *this);
        m_pages[static_cast<size_t>(table)] = page;
        m_tabs->addTab(page, ReservoirTableAt(table).tab);
        page->SetPageKind(table);
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int table) { ShowTab(table); });
    ShowTab(0);
    FillPhotoGrid(true);
    FillInfoGrid();
    UpdateButtons();
    resize(DluX(629), DluY(355));
}

CReservoirPhotoDlg::~CReservoirPhotoDlg() = default;

void CReservoirPhotoDlg::BuildControls()
{
    m_preview = new SurveyPicturePreview(this);
    m_preview->setGeometry(DluRect(7, 7, 301, 133));

    m_mapLabel = MakeLabel(QStringLiteral("写真位置図"), DluRect(7, 143, 47, 12), this);
    m_mapLabel->setAlignment(Qt::AlignCenter);
    m_mapLabel->setAutoFillBackground(true);
    QPalette palette = m_mapLabel->palette();
    palette.setColor(QPalette::Window, QColor(204, 0, 0));
    palette.setColor(QPalette::WindowText, Qt::white);
    m_mapLabel->setPalette(palette);
    m_mapList = new QComboBox(this);
    m_mapList->setGeometry(DluRect(58, 143, 250, 13));
    MakeLabel(QStringLiteral("位置図内写真"), DluRect(7, 159, 50, 10), this);

    m_photoGrid = new CSpread7U(this);
    m_photoGrid->setGeometry(DluRect(7, 171, 301, 158));
    m_photoGrid->SetCols(5);
    for (int col = 1; col <= 5; ++col)
        SetSpreadCellText(*m_photoGrid, col, kSpreadHeader, PhotoGridHeaders()[col - 1]);
    m_photoGrid->SetCol(kColPhoto);
    m_photoGrid->SetColKind(SpreadCellKind::Picture);
    m_photoGrid->setColumnWidth(kColNumber - 1, 52);
    m_photoGrid->setColumnWidth(kColPhoto - 1, kSurveyThumbWidth + 4);
    m_photoGrid->setColumnWidth(kColDate - 1, 80);
    m_photoGrid->setColumnWidth(kColTime - 1, 62);
    m_photoGrid->horizontalHeader()->setStretchLastSection(true);
    m_photoGrid->verticalHeader()->setDefaultSectionSize(kSurveyThumbHeight + 4);
    m_photoGrid->verticalHeader()->hide();
    m_photoGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_photoGrid->SetEmptyAreaColor(kSurveyEmptyArea);
    m_photoGrid->setStyleSheet(QStringLiteral("QTableView { gridline-color: rgb(160,160,160); }"));

    m_addLabel = MakeLabel(QStringLiteral("追加"), DluRect(313, 198, 20, 10), this);
    m_add = new QPushButton(QStringLiteral("▶"), this);
    m_add->setGeometry(DluRect(312, 209, 20, 30));
    m_changeLabel = MakeLabel(QStringLiteral("変更"), DluRect(313, 247, 20, 10), this);
    m_change = new QPushButton(QStringLiteral("▶"), this);
    m_change->setGeometry(DluRect(312, 257, 20, 30));

    MakeLabel(QStringLiteral("ため池情報"), DluRect(335, 7, 80, 10), this);
    m_infoGrid = new CSpread7U(this);
    m_infoGrid->setGeometry(DluRect(335, 19, 287, 34));
    m_infoGrid->SetCols(1);
    m_infoGrid->SetRows(3);
    m_infoGrid->setVerticalHeaderLabels(
        {QStringLiteral("ため池ID"), QStringLiteral("ため池名称"), QStringLiteral("調査日")});
    m_infoGrid->horizontalHeader()->hide();
    m_infoGrid->horizontalHeader()->setStretchLastSection(true);
    m_infoGrid->verticalHeader()->setDefaultSectionSize((DluY(34) - 2) / 3);
    m_infoGrid->SetEmptyAreaColor(kSurveyEmptyArea);
    m_infoGrid->SetLockedBackColor(kSurveyCream);
    m_infoGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_infoGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    MakeLabel(QStringLiteral("劣化状況評価個表"), DluRect(335, 55, 72, 10), this);
    m_caption = MakeLabel(QString(), DluRect(409, 55, 170, 10), this);
    QFont captionFont(QStringLiteral("メイリオ"));
    m_caption->setFont(captionFont);
    m_tabs = new QTabWidget(this);
    m_tabs->setGeometry(DluRect(335, 67, 288, 263));

    m_output = new QPushButton(QStringLiteral("ため池劣化状況評価調査表出力"), this);
    m_output->setGeometry(DluRect(7, 334, 125, 14));
    m_close = new QPushButton(QStringLiteral("閉じる"), this);
    m_close->setGeometry(DluRect(572, 334, 50, 14));
    SetOkButton(m_close);

    connect(m_close, &QPushButton::clicked, this, &CReservoirPhotoDlg::accept);
    connect(m_add, &QPushButton::clicked, this, &CReservoirPhotoDlg::OnAdd);
    connect(m_change, &QPushButton::clicked, this, &CReservoirPhotoDlg::OnChange);
    connect(m_output, &QPushButton::clicked, this, [this] {
        SaveEdits();
        if (m_outputHandler)
            m_outputHandler();
    });
    connect(m_mapList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling)
            SelectMap(index);
    });
    connect(m_photoGrid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { OnHeaderClicked(section + 1); });
    connect(m_photoGrid, &CSpread7U::Click, this, [this](int, int row) {
        if (row >= 1)
            ShowPhotoPreview(row);
    });
    connect(m_photoGrid, &CSpread7U::LeaveCell, this, [this](int, int row, int, int newRow, bool*) {
        if (newRow < 1 || newRow == row)
            return;
        ShowPhotoPreview(newRow);
        // The active cell moves after this signal: the colours and buttons follow it then.
        QMetaObject::invokeMethod(
            this,
            [this] {
                ColourPhotoGrid();
                UpdateButtons();
            },
            Qt::QueuedConnection);
    });
    connect(m_photoGrid, &CSpread7U::TopLeftChange, this,
            [this](int, int, int, int) { LoadVisibleThumbnails(); });
    connect(m_photoGrid->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { LoadVisibleThumbnails(); });
    SetOutputHandler({});
}

void CReservoirPhotoDlg::SetOutputHandler(std::function<void()> output)
{
    m_outputHandler = std::move(output);
    m_output->setEnabled(static_cast<bool>(m_outputHandler));
}

void CReservoirPhotoDlg::FillMapList()
{
    m_filling = true;
    m_mapList->clear();
    for (const LocationMap& map : m_document.GetProject().maps.maps)
        m_mapList->addItem(map.name);
    m_mapList->setCurrentIndex(m_mapIndex);
    m_filling = false;
}

void CReservoirPhotoDlg::SelectMap(int mapIndex)
{
    SaveEdits();
    m_mapIndex = m_document.GetProject().maps.IsValidIndex(mapIndex) ? mapIndex : -1;
    if (m_mapList->currentIndex() != m_mapIndex) {
        m_filling = true;
        m_mapList->setCurrentIndex(m_mapIndex);
        m_filling = false;
    }
    FillPhotoGrid(true);
    FillInfoGrid();
    UpdateButtons();
}

void CReservoirPhotoDlg::SelectTable(int table)
{
    if (table >= 0 && table < kTableCount)
        m_tabs->setCurrentIndex(table);
}

void CReservoirPhotoDlg::ShowTab(int table)
{
    if (table < 0 || table >= kTableCount)
        return;
    m_tab = table;
    m_caption->setText(ReservoirTableAt(table).caption);
    UpdateButtons();
}

void CReservoirPhotoDlg::FillPhotoGrid(bool keepActiveRow)
{
    const Project& project = m_document.GetProject();
    const LocationMap* map = ReservoirSurveyEdit::Map(project, m_mapIndex);
    const int remembered = m_photoGrid->ActiveRow();
    const int activeCol = std::max(1, m_photoGrid->ActiveCol());
    m_photoGrid->SetPainting(false);
    m_photoGrid->SetRows(0);  // releases every thumbnail
    m_loadedFirst = m_loadedLast = 0;
    if (!map) {
        m_photoGrid->SetPainting(true);
        if (keepActiveRow)
            m_preview->SetPicture(QImage());
        return;
    }
    const int rows = map->photos.Count();
    m_photoGrid->SetRows(rows);
    for (int r = 1; r <= rows; ++r) {
        const PlacedPhoto& entry = map->photos.entries[static_cast<size_t>(r - 1)];
        const PhotoRecord* photo = project.photos.Find(entry.photoId);
        SetSpreadCellText(*m_photoGrid, kColNumber, r, map->photos.NumberText(r - 1));
        if (photo) {
            SetSpreadCellText(*m_photoGrid, kColDate, r, photo->date);
            SetSpreadCellText(*m_photoGrid, kColTime, r, photo->time);
            SetSpreadCellText(*m_photoGrid, kColComment, r, entry.comment);
        }
        // The grid shows the map; nothing is typed into it.
        m_photoGrid->SetBlockMode(true);
        m_photoGrid->SetCol(1);
        m_photoGrid->SetRow(r);
        m_photoGrid->SetCol2(5);
        m_photoGrid->SetRow2(r);
        m_photoGrid->SetLock(true);
        m_photoGrid->SetBlockMode(false);
    }
    m_photoGrid->SetPainting(true);
    if (!keepActiveRow)
        return;
    const int row = rows == 0 ? kSpreadHeader : std::clamp(remembered, 1, rows);
    m_photoGrid->SetActiveCell(rows == 0 ? kSpreadHeader : activeCol, row);
    ColourPhotoGrid();
    ShowPhotoPreview(row);
    LoadVisibleThumbnails();
    UpdateButtons();
}

void CReservoirPhotoDlg::ColourPhotoGrid()
{
    const Project& project = m_document.GetProject();
    const LocationMap* map = ReservoirSurveyEdit::Map(project, m_mapIndex);
    const int rows = m_photoGrid->Rows();
    if (!map || rows == 0)
        return;
    SetSpreadBlockBackColor(*m_photoGrid, kColNumber, 1, kColNumber, rows, kSurveyCream);
    SetSpreadBlockBackColor(*m_photoGrid, kColPhoto, 1, kColPhoto, rows, kSurveyGrey);
    SetSpreadBlockBackColor(*m_photoGrid, kColDate, 1, kColComment, rows, kSurveyCream);
    for (int r = 1; r <= rows && r <= map->photos.Count(); ++r) {
        if (project.photos.IndexOfId(map->photos.entries[static_cast<size_t>(r - 1)].photoId) < 0)
            SetSpreadBlockBackColor(*m_photoGrid, kColDate, r, kColTime, r, kMissing);
    }
    const int active = m_photoGrid->ActiveRow();
    if (active >= 1 && active <= rows)
        SetSpreadBlockBackColor(*m_photoGrid, kColNumber, active, kColNumber, active, kSurveyActive);
}

void CReservoirPhotoDlg::LoadVisibleThumbnails()
{
    const int rows = m_photoGrid->Rows();
    const Project& project = m_document.GetProject();
    const LocationMap* map = ReservoirSurveyEdit::Map(project, m_mapIndex);
    if (!map || rows == 0 || rows > map->photos.Count())
        return;
    const int first = std::max(1, m_photoGrid->rowAt(0) + 1);
    const int bottom = m_photoGrid->rowAt(m_photoGrid->viewport()->height() - 1);
    const int last = bottom < 0 ? rows : bottom + 1;
    if (m_loadedFirst == first && m_loadedLast >= last)
        return;
    const auto inside = [](int row, int from, int to) { return from >= 1 && row >= from && row <= to; };
    m_photoGrid->SetPainting(false);
    m_photoGrid->SetCol(kColPhoto);
    // Rows that left the view let go of their pictures; rows that came into it get theirs.
    for (int r = m_loadedFirst; r >= 1 && r <= m_loadedLast; ++r) {
        if (!inside(r, first, last)) {
            m_photoGrid->SetRow(r);
            m_photoGrid->SetCellPicture(QPixmap());
        }
    }
    for (int r = first; r <= last; ++r) {
        if (inside(r, m_loadedFirst, m_loadedLast))
            continue;
        const QPixmap thumb =
            SurveyThumbnail(project, map->photos.entries[static_cast<size_t>(r - 1)].photoId);
        if (!thumb.isNull()) {
            m_photoGrid->SetRow(r);
            m_photoGrid->SetCellPicture(thumb);
        }
    }
    m_photoGrid->SetPainting(true);
    m_loadedFirst = first;
    m_loadedLast = last;
}

void CReservoirPhotoDlg::FillInfoGrid()
{
    const LocationMap* map = ReservoirSurveyEdit::Map(m_document.GetProject(), m_mapIndex);
    SetSpreadCellText(*m_infoGrid, 1, 1, map ? map->reservoir.reservoirId : QString());
    SetSpreadCellText(*m_infoGrid, 1, 2, map ? map->reservoir.reservoirName : QString());
    SetSpreadCellText(*m_infoGrid, 1, 3, map ? map->reservoir.surveyDate : QString());
    RefillPages();
}

void CReservoirPhotoDlg::RefillPages()
{
    for (CRsBookItemChildDlg* page : m_pages)
        page->ShowMap(m_mapIndex);
}

void CReservoirPhotoDlg::SaveEdits()
{
    if (!ReservoirSurveyEdit::Map(m_document.GetProject(), m_mapIndex))
        return;
    if (m_infoGrid->EditMode())
        m_infoGrid->SetEditMode(false);
    const QString id = GetSpreadCellText(*m_infoGrid, 1, 1);
    const QString name = GetSpreadCellText(*m_infoGrid, 1, 2);
    const QString date = GetSpreadCellText(*m_infoGrid, 1, 3);
    ChangeSurvey(m_document, m_mapIndex,
                 [&](ReservoirSurveyEdit& survey) { return survey.StoreInfo(id, name, date); });
    for (CRsBookItemChildDlg* page : m_pages)
        page->SaveDescriptions();
}

void CReservoirPhotoDlg::UpdateButtons()
{
    const Project& project = m_document.GetProject();
    const int row = m_photoGrid->ActiveRow();
    const bool canAdd = row >= 1 && row <= m_photoGrid->Rows() &&
                        ReservoirSurveyEdit::CanAddPhoto(project, m_mapIndex, m_tab, row - 1);
    CRsBookItemChildDlg* page = m_pages[static_cast<size_t>(m_tab)];
    const bool canChange = canAdd && page && page->ActiveRow() >= 1;
    m_add->setEnabled(canAdd);
    m_addLabel->setEnabled(canAdd);
    m_change->setEnabled(canChange);
    m_changeLabel->setEnabled(canChange);
}

void CReservoirPhotoDlg::OnAdd()
{
    PutChosenPhoto(0);
}

void CReservoirPhotoDlg::OnChange()
{
    const int pageRow = m_pages[static_cast<size_t>(m_tab)]->ActiveRow();
    if (pageRow >= 1)
        PutChosenPhoto(pageRow);
}

void CReservoirPhotoDlg::PutChosenPhoto(int pageRow)
{
    if (m_mapIndex < 0)
        return;
    SaveEdits();
    const int row = m_photoGrid->ActiveRow();
    ChangeSurvey(m_document, m_mapIndex, [&](ReservoirSurveyEdit& survey) {
        return pageRow >= 1 ? survey.ChangePhoto(m_tab, pageRow - 1, row - 1)
                            : survey.AddPhoto(m_tab, row - 1);
    });
    FillInfoGrid();
    CRsBookItemChildDlg* page = m_pages[static_cast<size_t>(m_tab)];
    page->SetActiveRow(pageRow >= 1 ? pageRow : page->RowCount());
    UpdateButtons();
}

void CReservoirPhotoDlg::OnHeaderClicked(int column)
{
    if (column != kColNumber && column != kColDate && column != kColTime)
        return;
    m_sortAscending = m_sortAscending ? 0 : 1;
    m_sortColumn = column;
    const Project& project = m_document.GetProject();
    const LocationMap* map = ReservoirSurveyEdit::Map(project, m_mapIndex);
    if (!map)
        return;
    const int active = m_photoGrid->ActiveRow();
    const int rememberedId = active >= 1 && active <= map->photos.Count()
                                 ? map->photos.entries[static_cast<size_t>(active - 1)].photoId
                                 : -1;
    const QString mark = m_sortAscending ? QStringLiteral("\n▲") : QStringLiteral("\n▼");
    for (int col = 1; col <= 5; ++col) {
        const bool marked = col == column || (column == kColDate && col == kColTime) ||
                            (column == kColTime && col == kColDate);
        SetSpreadCellText(*m_photoGrid, col, kSpreadHeader,
                          PhotoGridHeaders()[col - 1] + (marked ? mark : QString()));
    }
    const int mapIndex = m_mapIndex;
    const bool ascending = m_sortAscending != 0;
    (void)m_document.Change(ProjectChange::PlacedPhotos, [&](Project& edited) {
        return ReservoirSurveyEdit(edited, mapIndex).SortPlacedPhotos(column, ascending);
    });
    FillPhotoGrid(false);
    map = ReservoirSurveyEdit::Map(m_document.GetProject(), m_mapIndex);
    const int row = rememberedId >= 0 && map ? map->photos.IndexOfPhoto(rememberedId) + 1 : 0;
    m_photoGrid->SetActiveCell(row >= 1 ? std::max(1, m_photoGrid->ActiveCol()) : kSpreadHeader,
                               row >= 1 ? row : kSpreadHeader);
    ColourPhotoGrid();
    ShowPhotoPreview(row);
    LoadVisibleThumbnails();
    RefillPages();  // the pages show the photos' numbers on the map
}

int CReservoirPhotoDlg::PreviewPhotoIndex(int photoIndex)
{
    const Project& project = m_document.GetProject();
    fe::img::Image photo;
    const int side = std::max(m_preview->width(), m_preview->height());
    if (photoIndex < 0 || !project.LoadPhotoImage(photo, photoIndex, QSize(side, side))) {
        m_preview->SetPicture(QImage());
        return -1;
    }
    const int rotation = project.photos.photos[static_cast<size_t>(photoIndex)].rotation;
    m_preview->SetPicture(locmap::ViewPhotoLink::TurnedPhoto(photo.Picture(), rotation));
    return photoIndex;
}

void CReservoirPhotoDlg::ShowPhotoPreview(int row)
{
    const Project& project = m_document.GetProject();
    const LocationMap* map = ReservoirSurveyEdit::Map(project, m_mapIndex);
    int photoIndex = -1;
    if (map && row >= 1 && row <= map->photos.Count())
        photoIndex = project.photos.IndexOfId(map->photos.entries[static_cast<size_t>(row - 1)].photoId);
    PreviewPhotoIndex(photoIndex);
    UpdateButtons();
}

void CReservoirPhotoDlg::ShowPhotoPreviewById(int photoId)
{
    const Project& project = m_document.GetProject();
    const LocationMap* map = ReservoirSurveyEdit::Map(project, m_mapIndex);
    PreviewPhotoIndex(map && map->photos.Count() > 0 ? project.photos.IndexOfId(photoId) : -1);
}

void CReservoirPhotoDlg::ShowPicturePreview(const QImage& picture)
{
    m_preview->SetPicture(picture);
}

void CReservoirPhotoDlg::accept()
{
    SaveEdits();
    m_photoGrid->SetRows(0);
    m_loadedFirst = m_loadedLast = 0;
    CKeyPolicyDialog::accept();
}

void CReservoirPhotoDlg::showEvent(QShowEvent* event)
{
    CKeyPolicyDialog::showEvent(event);
    if (m_openingSize.isEmpty()) {
        m_openingSize = size();
        // The width stays as opened; the height can only grow.
        setMinimumSize(m_openingSize);
        setMaximumSize(m_openingSize.width(), m_openingSize.height() + 10000);
    }
    LoadVisibleThumbnails();
}

void CReservoirPhotoDlg::resizeEvent(QResizeEvent* event)
{
    CKeyPolicyDialog::resizeEvent(event);
    LayOut();
}

void CReservoirPhotoDlg::LayOut()
{
    if (!m_close)
        return;
    const int margin = m_photoGrid->x() - 1;
    const int closeHeight = m_close->height();
    m_close->move(width() - margin - m_close->width(), height() - margin - closeHeight);
    const int bottom = height() - int(margin * 1.6) - closeHeight;
    m_photoGrid->setGeometry(m_photoGrid->x(), m_photoGrid->y(), m_photoGrid->width(),
                             std::max(20, bottom - m_photoGrid->y()));
    m_tabs->setGeometry(m_tabs->x(), m_tabs->y(), m_tabs->width(), std::max(40, bottom - m_tabs->y()));
    m_output->move(m_output->x(), bottom + 4);
    LoadVisibleThumbnails();
}

}  // namespace app
