#include "app/reservoir/RsBookItemChildDlg.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

#include "app/Prompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/reservoir/ReservoirPhotoDlg.h"
#include "app/reservoir/SurveyLayout.h"
#include "app/reservoir/SurveyPicturePreview.h"
#include "app/reservoir/SurveyShared.h"
#include "fe/img/ExifInfo.h"
#include "fe/img/Image.h"
#include "model/AppSettings.h"
#include "reservoir/ReservoirPictures.h"
#include "reservoir/ReservoirSurveyEdit.h"
#include "reservoir/ReservoirTables.h"
#include "view/ViewPhotoLink.h"

namespace app {
namespace {

constexpr int kColNumber = 1;
constexpr int kColPhoto = 2;
constexpr int kColDescription = 3;
constexpr int kColMapNumber = 4;
// Pictures are read for the page at most this large; the page and the preview show them smaller.
const QSize kPictureBox(1600, 1200);

const QColor kWhite(255, 255, 255);

// The turn an EXIF orientation asks for: 3, 6 and 8 give 180, 270 and 90; -1 for anything else.
int RotationOfOrientation(int orientation)
{
    switch (orientation) {
        case 3:
            return 180;
        case 6:
            return 270;
        case 8:
            return 90;
        default:
            return -1;
    }
}

QString PictureReadMessage(SurveyPictureRead read, const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    switch (read) {
        case SurveyPictureRead::kMissing:
            return QStringLiteral("ファイルが見つかりません。");
        case SurveyPictureRead::kTooLarge:
            return QStringLiteral("画像が大きすぎるため読み込めません。\n") + name;
        default:
            return QStringLiteral("画像ファイルが読み込めません。\n") + name;
    }
}

}  // namespace

CRsBookItemChildDlg::CRsBookItemChildDlg(CTavrelDoc& document, CReservoirPhotoDlg& owner, QWidget* parent)
    : QWidget(parent), m_document(document), m_owner(owner)
{
    m_title = new QLabel(this);
    m_title->setGeometry(DluRect(5, 5, 147, 10));
    m_pictureFrame = new SurveyPicturePreview(this);
    m_pictureFrame->setGeometry(DluRect(5, 20, 60, 45));
    m_load = new QPushButton(QStringLiteral("読込"), this);
    m_load->setGeometry(DluRect(70, 20, 45, 14));
    m_deletePicture = new QPushButton(QStringLiteral("削除"), this);
    m_deletePicture->setGeometry(DluRect(70, 39, 45, 14));
    m_rowsLabel = new QLabel(QStringLiteral("変状部写真"), this);
    m_rowsLabel->setGeometry(DluRect(5, 75, 52, 10));
    m_deleteRow = new QPushButton(QStringLiteral("削除"), this);
    m_deleteRow->setGeometry(DluRect(191, 72, 45, 14));
    m_up = new QPushButton(QStringLiteral("↑"), this);
    m_up->setGeometry(DluRect(243, 72, 15, 14));
    m_down = new QPushButton(QStringLiteral("↓"), this);
    m_down->setGeometry(DluRect(262, 72, 15, 14));

    m_grid = new CSpread7U(this);
    m_grid->setGeometry(DluRect(5, 89, 271, 144));
    m_grid->SetCols(4);
    const QStringList headers = {QStringLiteral("No"), QStringLiteral("写真"), QStringLiteral("変状説明"),
                                 QStringLiteral("位置図\n写真\n番号")};
    for (int col = 1; col <= 4; ++col)
        SetSpreadCellText(*m_grid, col, kSpreadHeader, headers[col - 1]);
    m_grid->SetCol(kColPhoto);
    m_grid->SetColKind(SpreadCellKind::Picture);
    m_grid->setColumnWidth(kColNumber - 1, 32);
    m_grid->setColumnWidth(kColPhoto - 1, kSurveyThumbWidth + 4);
    m_grid->setColumnWidth(kColDescription - 1, 220);
    m_grid->setColumnWidth(kColMapNumber - 1, 56);
    m_grid->verticalHeader()->setDefaultSectionSize(kSurveyThumbHeight + 4);
    m_grid->verticalHeader()->hide();
    m_grid->SetEmptyAreaColor(kSurveyEmptyArea);
    m_grid->SetLockedBackColor(kSurveyCream);

    connect(m_load, &QPushButton::clicked, this, &CRsBookItemChildDlg::OnLoadPicture);
    connect(m_deletePicture, &QPushButton::clicked, this, &CRsBookItemChildDlg::OnDeletePicture);
    connect(m_deleteRow, &QPushButton::clicked, this, &CRsBookItemChildDlg::OnDeleteRow);
    connect(m_up, &QPushButton::clicked, this, &CRsBookItemChildDlg::OnMoveUp);
    connect(m_down, &QPushButton::clicked, this, &CRsBookItemChildDlg::OnMoveDown);
    connect(m_grid, &CSpread7U::Click, this, [this](int, int row) {
        if (row >= 1)
            ShowRowPhoto(row);
    });
    connect(m_grid, &CSpread7U::LeaveCell, this, [this](int, int row, int, int newRow, bool*) {
        if (newRow >= 1 && newRow != row) {
            // The move happens after this signal: colour and buttons follow it.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    ColourGrid();
                    UpdateButtons();
                },
                Qt::QueuedConnection);
            ShowRowPhoto(newRow);
        }
    });
    connect(m_pictureFrame, &SurveyPicturePreview::Clicked, this, [this] {
        const ReservoirItem* item = ReservoirSurveyEdit::Table(m_document.GetProject(), m_mapIndex, m_kind);
        if (item && !item->pictureFile.isEmpty())
            m_owner.ShowPicturePreview(m_picture);
    });
}

void CRsBookItemChildDlg::SetPageKind(int kind)
{
    m_kind = kind;
    const ReservoirTable& table = ReservoirTableAt(kind);
    if (table.HasPicture()) {
        m_title->setText(table.pictureTitle);
    } else {
        for (QWidget* part : {static_cast<QWidget*>(m_title), static_cast<QWidget*>(m_pictureFrame),
                              static_cast<QWidget*>(m_load), static_cast<QWidget*>(m_deletePicture)})
            part->hide();
        const int margin = m_rowsLabel->x();
        m_rowsLabel->move(m_rowsLabel->x(), margin);
        for (QWidget* button : {m_deleteRow, m_up, m_down})
            button->move(button->x(), margin);
        m_grid->move(m_grid->x(), m_rowsLabel->geometry().bottom() + 1 + margin);
    }
    LayOutGrid();
}

bool CRsBookItemChildDlg::HasMap() const
{
    return ReservoirSurveyEdit::Table(m_document.GetProject(), m_mapIndex, m_kind) != nullptr;
}

void CRsBookItemChildDlg::ShowMap(int mapIndex)
{
    if (m_kind < 0)
        return;
    m_mapIndex = mapIndex;
    m_picture = QImage();
    const Project& project = m_document.GetProject();
    const ReservoirItem* item = ReservoirSurveyEdit::Table(project, mapIndex, m_kind);
    const LocationMap* map = ReservoirSurveyEdit::Map(project, mapIndex);
    const int rows = item ? static_cast<int>(item->photoRows.size()) : 0;
    m_grid->SetPainting(false);
    m_grid->SetRows(0);
    m_grid->SetRows(rows);
    for (int r = 1; r <= rows; ++r) {
        const ReservoirPhotoRef& ref = item->photoRows[static_cast<size_t>(r - 1)];
        SetSpreadCellText(*m_grid, kColNumber, r, QString::number(r));
        SetSpreadCellText(*m_grid, kColDescription, r, ref.description);
        const int placed = map->photos.IndexOfPhoto(ref.photoId);
        SetSpreadCellText(*m_grid, kColMapNumber, r,
                          placed >= 0 ? map->photos.NumberText(placed) : QString());
        m_grid->SetCol(kColPhoto);
        m_grid->SetRow(r);
        m_grid->SetCellPicture(SurveyThumbnail(project, ref.photoId));
        for (int col : {kColNumber, kColPhoto, kColMapNumber}) {
            m_grid->SetCol(col);
            m_grid->SetRow(r);
            m_grid->SetLock(true);
        }
    }
    m_grid->SetPainting(true);
    LoadTablePicture();
    ColourGrid();
    UpdateButtons();
}

void CRsBookItemChildDlg::LoadTablePicture()
{
    const Project& project = m_document.GetProject();
    const ReservoirItem* item = ReservoirSurveyEdit::Table(project, m_mapIndex, m_kind);
    m_picture = QImage();
    if (item && ReservoirTableAt(m_kind).HasPicture()) {
        const QImage read = LoadReservoirPicture(project, item->pictureFile, kPictureBox);
        m_picture = locmap::ViewPhotoLink::TurnedPhoto(read, item->ShownRotation());
    }
    m_pictureFrame->SetPicture(m_picture);
}

void CRsBookItemChildDlg::ColourGrid()
{
    const int rows = m_grid->Rows();
    if (rows == 0)
        return;
    SetSpreadBlockBackColor(*m_grid, kColNumber, 1, kColMapNumber, rows, kWhite);
    SetSpreadBlockBackColor(*m_grid, kColPhoto, 1, kColPhoto, rows, kSurveyGrey);
    SetSpreadBlockBackColor(*m_grid, kColNumber, 1, kColNumber, rows, kSurveyCream);
    const int active = m_grid->ActiveRow();
    if (active >= 1 && active <= rows)
        SetSpreadBlockBackColor(*m_grid, kColNumber, active, kColNumber, active, kSurveyActive);
}

void CRsBookItemChildDlg::SaveDescriptions()
{
    if (!HasMap())
        return;
    if (m_grid->EditMode())
        m_grid->SetEditMode(false);
    QStringList texts;
    for (int r = 1; r <= m_grid->Rows(); ++r)
        texts.append(GetSpreadCellText(*m_grid, kColDescription, r));
    ChangeSurvey(m_document, m_mapIndex,
                 [&](ReservoirSurveyEdit& survey) { return survey.StoreDescriptions(m_kind, texts); });
}

int CRsBookItemChildDlg::ActiveRow() const
{
    const int row = m_grid->ActiveRow();
    return row >= 1 && row <= m_grid->Rows() ? row : 0;
}

void CRsBookItemChildDlg::SetActiveRow(int row)
{
    if (row >= 1 && row <= m_grid->Rows()) {
        const int col = m_grid->ActiveCol() >= 1 ? m_grid->ActiveCol() : kColDescription;
        m_grid->SetActiveCell(col, row);
    }
    ColourGrid();
    UpdateButtons();
}

int CRsBookItemChildDlg::RowCount() const
{
    return m_grid->Rows();
}

void CRsBookItemChildDlg::UpdateButtons()
{
    const ReservoirItem* item = ReservoirSurveyEdit::Table(m_document.GetProject(), m_mapIndex, m_kind);
    const bool hasMap = item != nullptr;
    m_load->setEnabled(hasMap && item->pictureFile.isEmpty());
    m_deletePicture->setEnabled(hasMap && !item->pictureFile.isEmpty());
    const int active = ActiveRow();
    m_deleteRow->setEnabled(hasMap && active >= 1);
    m_up->setEnabled(hasMap && active >= 2);
    m_down->setEnabled(hasMap && active >= 1 && active < m_grid->Rows());
    m_owner.UpdateButtons();
}

void CRsBookItemChildDlg::OnLoadPicture()
{
    if (!HasMap() || !ReservoirTableAt(m_kind).HasPicture())
        return;
    AppSettings* settings = m_document.appSettings;
    const QString path = Prompts().OpenFileName(
        this, QStringLiteral("画像読込"), settings ? settings->lastSurveyPictureFolder : QString(),
        QtFileFilter(
            QStringLiteral("PNG (*.png)|*.png|JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|ビットマップ (*.bmp)|*.bmp|"
                           "全てのファイル (*.*)|*.*||")));
    if (path.isEmpty())
        return;
    // The chosen file is read whole before anything is copied, so that a table never names a file it
    // cannot show.
    QImage check;
    const SurveyPictureRead read = ReadSurveyPicture(path, QSize(400, 300), check);
    if (read != SurveyPictureRead::kRead) {
        Warn(this, PictureReadMessage(read, path));
        return;
    }
    if (settings)
        settings->lastSurveyPictureFolder = QFileInfo(path).absolutePath();
    const Project& project = m_document.GetProject();
    ReservoirPictureFile file(ReservoirImageFolder(project));
    if (file.folder.isEmpty())
        return;
    if (!CopyPictureIntoReservoirFolder(file, path)) {
        Warn(this,
             QStringLiteral("画像をプロジェクトにコピーできませんでした。\n") + file.folder + file.fileName);
        return;
    }
    const ReservoirItem* item = ReservoirSurveyEdit::Table(project, m_mapIndex, m_kind);
    int rotation = item->pictureRotation;
    ExifInfo exif;
    if (exif.ReadFile(path) & ExifInfo::kOrientationRead) {
        const int turn = RotationOfOrientation(exif.m_orientation);
        if (turn >= 0)
            rotation = turn;
    }
    const QString name = file.fileName;
    ChangeSurvey(m_document, m_mapIndex,
                 [&](ReservoirSurveyEdit& survey) { return survey.SetPicture(m_kind, name, rotation); });
    LoadTablePicture();
    UpdateButtons();
}

void CRsBookItemChildDlg::OnDeletePicture()
{
    const ReservoirItem* item = ReservoirSurveyEdit::Table(m_document.GetProject(), m_mapIndex, m_kind);
    if (!item)
        return;
    const QString name = item->pictureFile;
    ChangeSurvey(m_document, m_mapIndex,
                 [&](ReservoirSurveyEdit& survey) { return survey.SetPicture(m_kind, QString(), 0); });
    // The file goes only when no table names it any more: a copied map shares its tables' pictures.
    (void)RemoveUnnamedReservoirPicture(m_document.GetProject(), name);
    LoadTablePicture();
    UpdateButtons();
}

void CRsBookItemChildDlg::OnDeleteRow()
{
    const int row = ActiveRow();
    if (!HasMap() || row < 1)
        return;
    // Descriptions typed in other rows are kept: they are read back before the rows are filled again.
    SaveDescriptions();
    ChangeSurvey(m_document, m_mapIndex,
                 [&](ReservoirSurveyEdit& survey) { return survey.RemoveRow(m_kind, row - 1); });
    ShowMap(m_mapIndex);
    SetActiveRow(std::min(row, m_grid->Rows()));
}

void CRsBookItemChildDlg::OnMoveUp()
{
    MoveRow(-1);
}

void CRsBookItemChildDlg::OnMoveDown()
{
    MoveRow(1);
}

void CRsBookItemChildDlg::MoveRow(int offset)
{
    const int row = ActiveRow();
    const int target = row + offset;
    if (!HasMap() || row < 1 || target < 1 || target > m_grid->Rows())
        return;
    SaveDescriptions();
    ChangeSurvey(m_document, m_mapIndex,
                 [&](ReservoirSurveyEdit& survey) { return survey.SwapRows(m_kind, row - 1, target - 1); });
    const int col = m_grid->ActiveCol();
    ShowMap(m_mapIndex);
    m_grid->SetActiveCell(col >= 1 ? col : kColDescription, target);
    ColourGrid();
    UpdateButtons();
}

void CRsBookItemChildDlg::ShowRowPhoto(int row)
{
    const ReservoirItem* item = ReservoirSurveyEdit::Table(m_document.GetProject(), m_mapIndex, m_kind);
    if (item && row >= 1 && row <= static_cast<int>(item->photoRows.size()))
        m_owner.ShowPhotoPreviewById(item->photoRows[static_cast<size_t>(row - 1)].photoId);
}

void CRsBookItemChildDlg::LayOutGrid()
{
    QRect area = m_grid->geometry();
    area.setBottom(height() - m_grid->x() - 1);
    if (area.height() > 20)
        m_grid->setGeometry(area);
}

void CRsBookItemChildDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutGrid();
}

}  // namespace app
