#include "app/track/IchimillLocusDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/controls/ExpEdit.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/track/TrackCommands.h"
#include "fe/geo/PhotoFit.h"
#include "model/AppSettings.h"
#include "model/TrackTable.h"

namespace app {
namespace {

const QColor kGridColour(219, 255, 255);

QString Fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

bool IsPlaneZone(int zone)
{
    return zone >= 1 && zone <= 19;
}

CExpEdit* TimeField(QWidget* parent)
{
    auto* field = new CExpEdit(parent);
    field->SetIntegerMode(2, INT_MIN, INT_MAX, INT_MAX);
    field->setMaximumWidth(40);
    return field;
}

QToolButton* StepButton(Qt::ArrowType arrow, const QString& accessibleName, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAccessibleName(accessibleName);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

CIchimillLocusDlg::CIchimillLocusDlg(CTavrelDoc& doc, AppSettings& settings, QString settingsPath,
                                     TrackDialogHooks hooks, QWidget* parent)
    : CKeyPolicyDialog(parent),
      doc_(doc),
      settings_(settings),
      settingsPath_(std::move(settingsPath)),
      hooks_(std::move(hooks))
{
    setWindowTitle(QStringLiteral("軌跡(ichimill)"));
    setModal(false);

    tracks_ = new CSpread7U(this);
    tracks_->SetCols(2);
    tracks_->SetRows(0);
    points_ = new CSpread7U(this);
    points_->SetCols(5);
    points_->SetBlockSelection(1);
    points_->SetSetupFlag(10, true);  // Ctrl+C copies the selected rows
    for (CSpread7U* grid : {tracks_, points_}) {
        grid->SetLockedBackColor(kGridColour);
        grid->SetEmptyAreaColor(kGridColour);
    }
    tracks_->SetRow(kSpreadHeader);
    tracks_->SetCol(1);
    tracks_->SetText(QStringLiteral("端末番号"));
    tracks_->SetCol(2);
    tracks_->SetText(QStringLiteral("点数"));

    read_ = new QPushButton(QStringLiteral("読込"), this);
    delete_ = new QPushButton(QStringLiteral("削除"), this);
    settingsButton_ = new QPushButton(QStringLiteral("読込設定"), this);
    hour_ = TimeField(this);
    minute_ = TimeField(this);
    hour_->SetInt(0);
    minute_->SetInt(0);
    hourUp_ = StepButton(Qt::UpArrow, QStringLiteral("時を増やす"), this);
    hourDown_ = StepButton(Qt::DownArrow, QStringLiteral("時を減らす"), this);
    minuteUp_ = StepButton(Qt::UpArrow, QStringLiteral("分を増やす"), this);
    minuteDown_ = StepButton(Qt::DownArrow, QStringLiteral("分を減らす"), this);
    search_ = new QPushButton(QStringLiteral("検索"), this);
    latLon_ = new QRadioButton(QStringLiteral("緯度経度"), this);
    plane_ = new QRadioButton(QStringLiteral("平面直角座標"), this);
    copy_ = new QPushButton(QStringLiteral("コピー"), this);
    copy_->setToolTip(QStringLiteral("表の全コピー"));
    place_ = new QPushButton(QStringLiteral("選択写真を軌跡上に配置"), this);
    close_ = new QPushButton(QStringLiteral("閉じる"), this);
    SetOkButton(close_);
    latLon_->setChecked(true);

    auto* trackButtons = new QHBoxLayout;
    trackButtons->addWidget(read_);
    trackButtons->addWidget(delete_);
    trackButtons->addWidget(settingsButton_);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(QStringLiteral("時刻"), this));
    timeRow->addWidget(hour_);
    auto* hourSteps = new QVBoxLayout;
    hourSteps->addWidget(hourUp_);
    hourSteps->addWidget(hourDown_);
    timeRow->addLayout(hourSteps);
    timeRow->addWidget(new QLabel(QStringLiteral(":"), this));
    timeRow->addWidget(minute_);
    auto* minuteSteps = new QVBoxLayout;
    minuteSteps->addWidget(minuteUp_);
    minuteSteps->addWidget(minuteDown_);
    timeRow->addLayout(minuteSteps);
    timeRow->addWidget(search_);
    timeRow->addStretch();
    timeRow->addWidget(latLon_);
    timeRow->addWidget(plane_);
    timeRow->addWidget(copy_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(place_);
    bottom->addStretch();
    bottom->addWidget(close_);
    auto* left = new QVBoxLayout;
    left->addWidget(tracks_);
    left->addLayout(trackButtons);
    auto* right = new QVBoxLayout;
    right->addLayout(timeRow);
    right->addWidget(points_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(bottom);
    resize(900, 480);

    connect(read_, &QPushButton::clicked, this, &CIchimillLocusDlg::ReadFile);
    connect(delete_, &QPushButton::clicked, this, &CIchimillLocusDlg::DeleteTrack);
    connect(settingsButton_, &QPushButton::clicked, this, &CIchimillLocusDlg::EditSettings);
    connect(copy_, &QPushButton::clicked, this, &CIchimillLocusDlg::CopyTable);
    connect(close_, &QPushButton::clicked, this, &CIchimillLocusDlg::accept);
    connect(place_, &QPushButton::clicked, this, [this] {
        if (hooks_.placePhotos)
            hooks_.placePhotos();
    });
    // "検索" only takes the focus from a time field, whose rule then searches.
    search_->setFocusPolicy(Qt::StrongFocus);
    connect(latLon_, &QRadioButton::clicked, this, &CIchimillLocusDlg::SetHeaders);
    connect(plane_, &QRadioButton::clicked, this, &CIchimillLocusDlg::SetHeaders);
    connect(hour_, &QLineEdit::editingFinished, this, &CIchimillLocusDlg::HourLeft);
    connect(minute_, &QLineEdit::editingFinished, this, &CIchimillLocusDlg::MinuteLeft);
    connect(hourUp_, &QToolButton::clicked, this, [this] { StepHour(1); });
    connect(hourDown_, &QToolButton::clicked, this, [this] { StepHour(-1); });
    connect(minuteUp_, &QToolButton::clicked, this, [this] { StepMinute(1); });
    connect(minuteDown_, &QToolButton::clicked, this, [this] { StepMinute(-1); });
    connect(tracks_, &CSpread7U::LeaveRow, this,
            [this](int row, int newRow, bool*) { OnTrackRowLeaving(row, newRow); });
    connect(points_, &CSpread7U::LeaveRow, this,
            [this](int row, int newRow, bool*) { OnPointRowLeaving(row, newRow); });

    FillTracks();
    SetHeaders();
}

int CIchimillLocusDlg::Zone() const
{
    return hooks_.currentMapZone ? hooks_.currentMapZone() : -1;
}

bool CIchimillLocusDlg::PlaneMode() const
{
    return plane_->isChecked() && IsPlaneZone(Zone()) && selectedTrack_ >= 0 &&
           !doc_.GetProject().tracks[static_cast<size_t>(selectedTrack_)].points.empty();
}

void CIchimillLocusDlg::FillTracks()
{
    const std::vector<LocusTrack>& tracks = doc_.GetProject().tracks;
    tracks_->SetRows(static_cast<int>(tracks.size()));
    for (size_t k = 0; k < tracks.size(); ++k) {
        tracks_->SetRow(static_cast<int>(k) + 1);
        tracks_->SetCol(1);
        tracks_->SetText(tracks[k].terminalId);
        tracks_->SetLock(true);
        tracks_->SetCol(2);
        tracks_->SetText(QString::number(tracks[k].points.size()));
        tracks_->SetLock(true);
    }
    // As in the spreadsheet grid the dialog was made for, a grid with rows always has an active cell.
    const int rows = tracks_->Rows();
    if (rows > 0 && (tracks_->ActiveRow() < 1 || tracks_->ActiveRow() > rows))
        tracks_->SetActiveCell(1, std::min(std::max(tracks_->ActiveRow(), 1), rows));
    UpdateButtons();
}

void CIchimillLocusDlg::SetHeaders()
{
    const bool plane = plane_->isChecked();
    const QString titles[5] = {QStringLiteral("日付"), QStringLiteral("時刻"),
                               plane ? QStringLiteral("X (m)") : QStringLiteral("緯度 (°)"),
                               plane ? QStringLiteral("Y (m)") : QStringLiteral("経度 (°)"),
                               QStringLiteral("標高 (m)")};
    points_->SetRow(kSpreadHeader);
    for (int c = 0; c < 5; ++c) {
        points_->SetCol(c + 1);
        points_->SetText(titles[c]);
    }
    FillPoints();
}

void CIchimillLocusDlg::FillPoints()
{
    const std::vector<LocusTrack>& tracks = doc_.GetProject().tracks;
    selectedTrack_ = tracks_->ActiveRow() - 1;
    if (selectedTrack_ < 0 || selectedTrack_ >= static_cast<int>(tracks.size())) {
        selectedTrack_ = -1;
        points_->SetRows(0);
        UpdateButtons();
        return;
    }
    const LocusTrack& track = tracks[static_cast<size_t>(selectedTrack_)];
    const int zone = Zone();
    const bool plane = PlaneMode();
    LocusTrack planar;  // the plane coordinates of the zone, built for the table only
    if (plane) {
        planar.points = track.points;
        planar.BuildZoneXY(zone);
    }
    points_->SetPainting(false);
    points_->SetRows(static_cast<int>(track.points.size()));
    for (size_t k = 0; k < track.points.size(); ++k) {
        const LocusPoint& point = track.points[k];
        QString third = Fixed(point.position.latitude, 7);
        QString fourth = Fixed(point.position.longitude, 7);
        if (plane) {
            const Point2 xy = planar.GetZoneXY(static_cast<int>(k), zone);
            third = Fixed(xy.x, 2);
            fourth = Fixed(xy.y, 2);
        }
        const QString cells[5] = {TrackPointDateText(point), TrackPointTimeText(point), third, fourth,
                                  Fixed(point.elevation, 4)};
        points_->SetRow(static_cast<int>(k) + 1);
        for (int c = 0; c < 5; ++c) {
            points_->SetCol(c + 1);
            points_->SetText(cells[c]);
            points_->SetLock(true);
        }
    }
    points_->SetPainting(true);
    const int rows = points_->Rows();
    if (rows > 0 && (points_->ActiveRow() < 1 || points_->ActiveRow() > rows))
        points_->SetActiveCell(1, 1);
    const int active = points_->ActiveRow() - 1;
    if (active >= 0 && active < static_cast<int>(track.points.size())) {
        SetCurrentPoint(selectedTrack_, active);
        ShowTimeOf(active);
    }
    UpdateButtons();
}

void CIchimillLocusDlg::UpdateButtons()
{
    const bool trackSelected = selectedTrack_ >= 0;
    delete_->setEnabled(tracks_->Rows() > 0);
    search_->setEnabled(trackSelected);
    plane_->setEnabled(IsPlaneZone(Zone()));
    copy_->setEnabled(tracks_->ActiveRow() > 0 && points_->Rows() > 0);
    place_->setEnabled(trackSelected && hooks_.viewMode && hooks_.viewMode() == 0);
}

void CIchimillLocusDlg::OnLocationMapChanged()
{
    UpdateButtons();
    if (plane_->isChecked() && !plane_->isEnabled()) {
        latLon_->setChecked(true);
        SetHeaders();
    }
}

void CIchimillLocusDlg::SetCurrentPoint(int track, int point)
{
    const std::vector<LocusTrack>& tracks = doc_.GetProject().tracks;
    if (track < 0 || track >= static_cast<int>(tracks.size()))
        return;
    (void)doc_.Change(ProjectChange::Selection, [&](Project& project) {
        project.tracks[static_cast<size_t>(track)].currentPoint = point;
        return true;
    });
}

void CIchimillLocusDlg::ShowTimeOf(int point)
{
    if (selectedTrack_ < 0)
        return;
    const LocusTrack& track = doc_.GetProject().tracks[static_cast<size_t>(selectedTrack_)];
    if (point < 0 || point >= static_cast<int>(track.points.size()))
        return;
    guard_ = true;
    lastHour_ = track.points[static_cast<size_t>(point)].time.hour;
    lastMinute_ = track.points[static_cast<size_t>(point)].time.minute;
    hour_->SetInt(lastHour_);
    minute_->SetInt(lastMinute_);
    guard_ = false;
}

void CIchimillLocusDlg::SelectTrackPoint(int pointIndex)
{
    if (pointIndex < 0 || selectedTrack_ < 0)
        return;
    const LocusTrack& track = doc_.GetProject().tracks[static_cast<size_t>(selectedTrack_)];
    if (pointIndex >= static_cast<int>(track.points.size()))
        return;
    SetCurrentPoint(selectedTrack_, pointIndex);
    points_->SetActiveCell(1, pointIndex + 1);
    ShowTimeOf(pointIndex);
}

void CIchimillLocusDlg::OnTrackRowLeaving(int row, int newRow)
{
    if (newRow <= 0 || newRow == row)
        return;
    SetCurrentPoint(row - 1, -1);
    tracks_->SetActiveCell(tracks_->ActiveCol() > 0 ? tracks_->ActiveCol() : 1, newRow);
    points_->SetActiveCell(kSpreadHeader, kSpreadHeader);
    FillPoints();
}

void CIchimillLocusDlg::OnPointRowLeaving(int row, int newRow)
{
    if (newRow <= 0 || newRow == row || selectedTrack_ < 0)
        return;
    SetCurrentPoint(selectedTrack_, newRow - 1);
    ShowTimeOf(newRow - 1);
}

void CIchimillLocusDlg::ReadFile()
{
    if (!doc_.GetProject().HasPath())
        return;
    const QString path =
        Prompts().OpenFileName(this, QStringLiteral("ichimill軌跡データ読込"), settings_.lastTrackFolder,
                               QStringLiteral("ichimillデータファイル (*.csv *.CSV);;すべて (*)"));
    if (path.isEmpty())
        return;
    if (selectedTrack_ >= 0)
        SetCurrentPoint(selectedTrack_, -1);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const TrackReadOutcome outcome = ReadTrackFileIntoProject(doc_, settings_, path, this);
    QGuiApplication::restoreOverrideCursor();
    // The folder is remembered even when the file could not be used.
    (void)settings_.Save(settingsPath_);
    if (!outcome.added)
        return;
    FillTracks();
    tracks_->SetActiveCell(1, outcome.firstNewTrack + 1);
    points_->SetActiveCell(kSpreadHeader, kSpreadHeader);
    FillPoints();
    CentreOnSelectedTrack();
}

void CIchimillLocusDlg::CentreOnSelectedTrack()
{
    if (selectedTrack_ < 0 || !hooks_.viewMode || hooks_.viewMode() != 0 || !hooks_.showOverview)
        return;
    const QSize size = hooks_.viewSize ? hooks_.viewSize() : QSize(800, 600);
    fe::geo::GeoPoint centre;
    int zoom = 0;
    if (fe::geo::FitZoomToBox(doc_.GetProject().tracks[static_cast<size_t>(selectedTrack_)].box, centre, zoom,
                              size.width(), size.height()))
        hooks_.showOverview(centre, zoom);
}

void CIchimillLocusDlg::DeleteTrack()
{
    const int index = tracks_->ActiveRow() - 1;
    if (index < 0 || index >= static_cast<int>(doc_.GetProject().tracks.size()))
        return;
    if (!AskYesNo(this, QStringLiteral("軌跡を削除します。\nよろしいですか?"), kProductName))
        return;
    (void)doc_.Change(ProjectChange::Tracks, [&](Project& project) {
        project.tracks.erase(project.tracks.begin() + index);
        return true;
    });
    FillTracks();
    FillPoints();
}

void CIchimillLocusDlg::EditSettings()
{
    (void)EditTrackReaderSettings(settings_, settingsPath_, this);
}

void CIchimillLocusDlg::CopyTable()
{
    if (selectedTrack_ < 0)
        return;
    const LocusTrack& track = doc_.GetProject().tracks[static_cast<size_t>(selectedTrack_)];
    const bool plane = PlaneMode();
    LocusTrack planar;
    planar.points = track.points;
    if (plane)
        planar.BuildZoneXY(Zone());
    QGuiApplication::clipboard()->setText(TrackTableCopyText(planar, plane, Zone()));
    ShowMessage(
        this,
        QStringLiteral("クリップボードに表のテキストをコピーしました。\nCtrl+Cで選択行のみコピーできます。"),
        kProductName, PromptIcon::Information);
}

void CIchimillLocusDlg::HourLeft()
{
    LeaveTimeField(hour_, lastHour_, 23);
}

void CIchimillLocusDlg::MinuteLeft()
{
    LeaveTimeField(minute_, lastMinute_, 59);
}

void CIchimillLocusDlg::LeaveTimeField(CExpEdit* field, int& lastValid, int maximum)
{
    if (guard_)
        return;
    guard_ = true;
    const TimeFieldOutcome outcome = ApplyTimeField(field->text(), lastValid, maximum);
    field->SetInt(outcome.shown);
    lastValid = outcome.lastValid;
    guard_ = false;
    if (outcome.search)
        Search();
}

void CIchimillLocusDlg::StepHour(int step)
{
    if (guard_)
        return;
    hour_->SetInt(lastHour_ + step);
    HourLeft();
}

void CIchimillLocusDlg::StepMinute(int step)
{
    if (guard_)
        return;
    const HourMinute next = ::StepMinute(lastHour_, lastMinute_, step);
    if (next.hour != lastHour_) {
        hour_->SetInt(next.hour);
        lastHour_ = next.hour;
    }
    minute_->SetInt(next.minute);
    MinuteLeft();
}

void CIchimillLocusDlg::Search()
{
    const int hour = hour_->text().isEmpty() ? INT_MAX : hour_->GetInt();
    const int minute = minute_->text().isEmpty() ? INT_MAX : minute_->GetInt();
    if (hour >= INT_MAX || minute >= INT_MAX) {
        Warn(this, QStringLiteral("時刻が未入力です。"), kProductName);
        return;
    }
    if (selectedTrack_ < 0)
        return;
    const int nearest =
        NearestPointAtTimeOfDay(doc_.GetProject().tracks[static_cast<size_t>(selectedTrack_)], hour, minute);
    if (nearest < 0)
        return;
    points_->SetActiveCell(1, nearest + 1);
    SetCurrentPoint(selectedTrack_, nearest);
}

void CIchimillLocusDlg::accept()
{
    hide();
    if (hooks_.closed)
        hooks_.closed();
}

void CIchimillLocusDlg::reject()
{
    // Esc never gets here (the key policy swallows it); the close box does.
    accept();
}

void ClearTrackCurrentPoints(CTavrelDoc& doc)
{
    (void)doc.Change(ProjectChange::Selection, [](Project& project) {
        for (LocusTrack& track : project.tracks)
            track.currentPoint = -1;
        return true;
    });
}

}  // namespace app
