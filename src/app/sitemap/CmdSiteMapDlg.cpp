#include "app/sitemap/CmdSiteMapDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <climits>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"
#include "app/maps/SetCoordSystemNoDlg.h"
#include "app/view/TavrelView.h"
#include "fe/StaticTables.h"
#include "fe/Unset.h"
#include "model/AppSettings.h"
#include "model/Project.h"
#include "report/SiteMapZoom.h"

namespace app {
namespace {

const QColor kNoteText(128, 0, 0);
const QColor kLockedBack(219, 255, 255);
const QColor kEmptyArea(225, 225, 225);
const QColor kNumberBack(255, 255, 207);
const QColor kCurrentNumberBack(255, 242, 0);
constexpr int kNoRow = -1000;

QLabel* NoteLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kNoteText);
    label->setPalette(palette);
    return label;
}

}  // namespace

CCmdSiteMapDlg::CCmdSiteMapDlg(CTavrelDoc& document, CTavrelView* view,
                               std::function<qintptr(int, qintptr, qintptr)> sendToFrame, QWidget* parent)
    : CKeyPolicyDialog(parent), m_document(&document), m_view(view), m_sendToFrame(std::move(sendToFrame))
{
    setWindowTitle(QStringLiteral("現場位置図"));
    setModal(false);
    BuildControls();
    // The photo positions are shown while a site map is first set up.
    m_photos->setChecked(GetSiteMap() == nullptr);
    RefreshControls();
    connect(m_document, &CTavrelDoc::ProjectChanged, this, &CCmdSiteMapDlg::OnProjectChanged);
}

void CCmdSiteMapDlg::BuildControls()
{
    m_setFromView = new QPushButton(QStringLiteral("現表示範囲で設定"), this);
    m_clear = new QPushButton(QStringLiteral("クリア"), this);
    m_photos = new QCheckBox(QStringLiteral("写真位置確認"), this);
    const QString radioTexts[3] = {QStringLiteral("地理院地図(標準地図)"), QStringLiteral("地理院地図(淡色地図)"),
                                   QStringLiteral("地理院地図(写真)")};
    auto* background = new QGroupBox(QStringLiteral("背景"), this);
    auto* radios = new QVBoxLayout(background);
    for (int k = 0; k < 3; ++k) {
        m_radios[k] = new QRadioButton(radioTexts[k], background);
        radios->addWidget(m_radios[k]);
        connect(m_radios[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on)
                OnBaseMap(LocationMap::kWebStandard + k);
        });
    }
    m_zoom = new QLabel(this);
    m_zoom->setObjectName(QStringLiteral("ZoomLevel"));
    m_zoom->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_zoom->setMinimumWidth(40);
    m_zone = new QLabel(this);
    m_zone->setObjectName(QStringLiteral("Zone"));
    m_zone->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_zone->setMinimumWidth(40);
    m_setZone = new QPushButton(QStringLiteral("設定"), this);
    m_hint = NoteLabel(QStringLiteral("メインビュークリックで位置変更できます。"), this);
    m_close = new QPushButton(QStringLiteral("閉じる"), this);

    m_grid = new CSpread7U(this);
    m_grid->SetCols(3);
    m_grid->SetCol(3);
    m_grid->SetColKind(SpreadCellKind::Check);
    SetSpreadCellText(*m_grid, 1, kSpreadHeader, QStringLiteral("No"));
    SetSpreadCellText(*m_grid, 2, kSpreadHeader, QStringLiteral("写真位置図名称"));
    SetSpreadCellText(*m_grid, 3, kSpreadHeader, QStringLiteral("表示"));
    m_grid->SetColWidth(1, 4);
    m_grid->SetColWidth(2, 26);
    m_grid->SetColWidth(3, 5);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->SetLockedBackColor(kLockedBack);
    m_grid->SetEmptyAreaColor(kEmptyArea);
    m_grid->setMinimumWidth(m_grid->horizontalHeader()->length() + 24 + m_grid->frameWidth() * 2);
    m_grid->setMinimumHeight(200);

    connect(m_setFromView, &QPushButton::clicked, this, &CCmdSiteMapDlg::OnSetFromView);
    connect(m_clear, &QPushButton::clicked, this, &CCmdSiteMapDlg::OnClear);
    connect(m_setZone, &QPushButton::clicked, this, &CCmdSiteMapDlg::OnSetZone);
    connect(m_photos, &QCheckBox::clicked, this, &CCmdSiteMapDlg::OnPhotoCheck);
    connect(m_close, &QPushButton::clicked, this, &CCmdSiteMapDlg::OnClose);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int oldRow, int oldCol) { OnGridLeaveCell(oldCol + 1, oldRow + 1, col + 1, row + 1); });
    connect(m_grid, &CSpread7U::ButtonClicked, this, [this](int col, int row, int) { OnGridCheck(col, row); });
    // The close button is the one Enter clicks; Esc never closes the dialog.
    SetOkButton(m_close);

    auto* top = new QHBoxLayout;
    top->addWidget(m_setFromView);
    top->addWidget(m_clear);
    top->addStretch();
    top->addWidget(m_photos);
    auto* settings = new QGridLayout;
    settings->addWidget(background, 0, 0, 3, 1);
    settings->addWidget(new QLabel(QStringLiteral("ズームレベル"), this), 0, 1);
    settings->addWidget(m_zoom, 0, 2);
    settings->addWidget(NoteLabel(QStringLiteral("\"現表示範囲で設定\" 時の\nズームレベルを反映します。"), this), 0, 3, 1, 2);
    settings->addWidget(new QLabel(QStringLiteral("平面直角座標系番号"), this), 1, 1);
    settings->addWidget(m_zone, 1, 2);
    settings->addWidget(m_setZone, 1, 3);
    settings->addWidget(NoteLabel(QStringLiteral("設定時、スケールを表示します。"), this), 2, 1, 1, 4);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_hint);
    bottom->addStretch();
    bottom->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(settings);
    layout->addWidget(new QLabel(QStringLiteral("図示する写真位置図"), this));
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
}

const LocationMap* CCmdSiteMapDlg::GetSiteMap(const CTavrelDoc* document)
{
    if (!document)
        return nullptr;
    const LocationMapList& siteMaps = document->GetProject().siteMaps;
    return siteMaps.Count() > 0 ? &siteMaps.maps.front() : nullptr;
}

QString CCmdSiteMapDlg::ZoneLabelText(int zone)
{
    return zone >= 1 && zone <= 19 ? fe::tables::ZoneNumeral(zone) : QStringLiteral("－");
}

bool CCmdSiteMapDlg::ShowsPhotos() const
{
    return m_photos->isChecked();
}

int CCmdSiteMapDlg::ActiveRow() const
{
    const int row = m_grid->ActiveRow();
    return row >= 1 && row <= m_grid->Rows() ? row : kNoRow;
}

QRadioButton* CCmdSiteMapDlg::BaseMapRadio(int kind) const
{
    const int k = kind - LocationMap::kWebStandard;
    return k >= 0 && k < 3 ? m_radios[k] : nullptr;
}

void CCmdSiteMapDlg::SendSelectionToFrame()
{
    if (m_sendToFrame)
        (void)m_sendToFrame(kMsgSiteMapsChanged, GetSiteMap() ? 0 : -1, 0);
}

void CCmdSiteMapDlg::RefreshControls()
{
    m_busy = true;
    const int activeRow = m_grid->ActiveRow();
    m_grid->SetPainting(false);
    const Project& project = m_document->GetProject();
    m_zone->setText(ZoneLabelText(project.siteMapZone));

    const int rows = project.maps.Count();
    m_grid->SetRows(rows);
    for (int row = 1; row <= rows; ++row) {
        const LocationMap& map = project.maps.maps[size_t(row - 1)];
        const bool located = map.kind != LocationMap::kPicture;
        SetSpreadCellText(*m_grid, 1, row, QString::number(row));
        SetSpreadCellText(*m_grid, 2, row, map.name);
        SetSpreadCellCheck(*m_grid, 3, row, located && map.showCallout ? 1 : 0);
        // The number and the name are shown only; the check of a map without coordinates stays off.
        m_grid->SetBlockMode(true);
        m_grid->SetCol(1);
        m_grid->SetRow(row);
        m_grid->SetCol2(2);
        m_grid->SetRow2(row);
        m_grid->SetLock(true);
        m_grid->SetBlockMode(false);
        m_grid->SetCol(3);
        m_grid->SetRow(row);
        m_grid->SetLock(!located);
    }
    if (activeRow >= 1 && activeRow <= rows)
        m_grid->SetActiveCell(std::max(1, m_grid->ActiveCol()), activeRow);

    if (const LocationMap* siteMap = GetSiteMap()) {
        const int kind = siteMap->kind == LocationMap::kWebPale || siteMap->kind == LocationMap::kWebPhoto
                             ? siteMap->kind
                             : LocationMap::kWebStandard;
        BaseMapRadio(kind)->setChecked(true);
        m_zoom->setText(siteMap->tileZoom == INT_MIN ? QString() : QString::number(siteMap->tileZoom));
    } else {
        // No radio is checked without a site map.
        for (QRadioButton* radio : m_radios)
            radio->setAutoExclusive(false);
        for (QRadioButton* radio : m_radios)
            radio->setChecked(false);
        for (QRadioButton* radio : m_radios)
            radio->setAutoExclusive(true);
        m_zoom->setText(QStringLiteral("-"));
    }
    m_grid->SetPainting(true);
    UpdateControlStates();
    m_busy = false;
}

void CCmdSiteMapDlg::ColourGrid()
{
    const int rows = m_grid->Rows();
    const int current = m_grid->ActiveRow();
    for (int row = 1; row <= rows; ++row) {
        m_grid->SetCol(1);
        m_grid->SetRow(row);
        m_grid->SetBackColor(row == current ? kCurrentNumberBack : kNumberBack);
    }
}

void CCmdSiteMapDlg::UpdateControlStates()
{
    m_clear->setEnabled(GetSiteMap() != nullptr);
    const int row = ActiveRow();
    m_hint->setEnabled(row >= 1 && GetSpreadCellCheck(*m_grid, 3, row) == 1);
    ColourGrid();
}

bool CCmdSiteMapDlg::Change(ProjectChanges kinds, const std::function<bool(Project&)>& edit)
{
    m_changing = true;
    const ProjectChangeOutcome outcome = m_document->Change(kinds, edit);
    m_changing = false;
    return outcome.changed;
}

void CCmdSiteMapDlg::OnProjectChanged(ProjectChanges kinds)
{
    // The dialog's own changes refill it themselves; a callout stored by the view changes no control.
    if (m_changing || m_calloutHeld || m_busy)
        return;
    if (kinds & (ProjectChange::Maps | ProjectChange::SiteMaps))
        RefreshControls();
}

void CCmdSiteMapDlg::RefreshView()
{
    if (m_view)
        m_view->RenderAndUpdate();
}

void CCmdSiteMapDlg::FitView()
{
    if (m_view)
        m_view->FitCurrentMap();
}

void CCmdSiteMapDlg::StoreControls()
{
    const int rows = m_grid->Rows();
    std::vector<std::uint8_t> shown;
    for (int row = 1; row <= rows; ++row)
        shown.push_back(GetSpreadCellCheck(*m_grid, 3, row) != 0 ? 1 : 0);
    (void)Change(ProjectChange::Maps, [&shown](Project& project) {
        bool changed = false;
        for (size_t k = 0; k < shown.size() && k < project.maps.maps.size(); ++k) {
            LocationMap& map = project.maps.maps[k];
            if (map.kind == LocationMap::kPicture || map.showCallout == shown[k])
                continue;
            map.showCallout = shown[k];
            changed = true;
        }
        return changed;
    });
}

void CCmdSiteMapDlg::OnSetFromView()
{
    StoreControls();
    if (!m_view)
        return;
    Rect2 box;
    int kind = 0;
    int zoom = 0;
    if (!m_view->GetVisibleLatLongBox(box, kind, zoom, 0.7))
        return;
    if (kind < LocationMap::kWebStandard || kind > LocationMap::kWebPhoto)
        kind = LocationMap::kWebStandard;
    (void)Change(ProjectChange::SiteMaps, [&](Project& project) {
        if (project.siteMaps.Count() == 0)
            return project.AddSiteMap(kind, box, zoom);
        LocationMap& siteMap = project.siteMaps.maps.front();
        siteMap.box = box;
        siteMap.kind = kind;
        // The site map keeps its zoom when the view's zoom would make its picture too large to print.
        if (SiteMapZoomFits(box, zoom))
            siteMap.tileZoom = zoom;
        siteMap.UpdateOutline();
        return true;
    });
    RefreshControls();
    SendSelectionToFrame();
    FitView();
    RefreshControls();
}

void CCmdSiteMapDlg::OnBaseMap(int kind)
{
    if (m_busy || !GetSiteMap())
        return;
    (void)Change(ProjectChange::SiteMaps, [kind](Project& project) {
        LocationMap& siteMap = project.siteMaps.maps.front();
        if (siteMap.kind == kind)
            return false;
        siteMap.kind = kind;
        return true;
    });
    SendSelectionToFrame();
    FitView();
    RefreshControls();
}

void CCmdSiteMapDlg::OnClear()
{
    if (!GetSiteMap())
        return;
    if (ShowMessage(this, QStringLiteral("現場位置図をクリアします。\nよろしいですか?"), kProductName,
                    PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::No)
        return;
    (void)Change(ProjectChange::SiteMaps | ProjectChange::Maps, [](Project& project) {
        project.siteMaps.DeleteMap(0, project.MapFolder());
        project.siteMaps.Clear();
        for (LocationMap& map : project.maps.maps) {
            map.calloutAnchor = fe::geo::GeoPoint(kUnset, kUnset);
            if (map.HasCoordinates())
                map.showCallout = 1;
        }
        return true;
    });
    RefreshControls();
    SendSelectionToFrame();
    UpdateControlStates();
}

void CCmdSiteMapDlg::OnSetZone()
{
    StoreControls();
    // The picker starts on the site maps' zone and leaves the program's settings as they are.
    AppSettings settings = m_document->appSettings ? *m_document->appSettings : AppSettings::Defaults();
    settings.planeZone = m_document->GetProject().siteMapZone;
    CSetCoordSystemNoDlg picker(settings, this);
    if (picker.exec() != QDialog::Accepted)
        return;
    const int zone = picker.ZoneChosen() == 1 ? picker.SelectedZone() : 0;
    (void)Change(ProjectChange::SiteMaps, [zone](Project& project) {
        if (project.siteMapZone == zone)
            return false;
        project.SetSiteMapZone(zone);
        return true;
    });
    RefreshView();
    RefreshControls();
}

void CCmdSiteMapDlg::OnPhotoCheck()
{
    RefreshView();
}

void CCmdSiteMapDlg::OnGridLeaveCell(int /*col*/, int /*row*/, int /*newCol*/, int newRow)
{
    if (m_busy || newRow < 1)
        return;
    UpdateControlStates();
    RefreshView();
}

void CCmdSiteMapDlg::OnGridCheck(int col, int /*row*/)
{
    if (m_busy || col != 3)
        return;
    StoreControls();
    UpdateControlStates();
    SendSelectionToFrame();
}

void CCmdSiteMapDlg::OnClose()
{
    StoreControls();
    if (m_sendToFrame)
        (void)m_sendToFrame(kMsgCloseSiteMapDlg, 1, 0);
    else
        hide();
}

bool CCmdSiteMapDlg::KeepsEnter(QWidget* focus) const
{
    return focus == m_grid || m_grid->isAncestorOf(focus);
}

void CCmdSiteMapDlg::closeEvent(QCloseEvent* event)
{
    // The title bar's close does what "閉じる" does; the frame destroys the dialog.
    event->ignore();
    OnClose();
}

}  // namespace app
