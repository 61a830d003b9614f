#include "app/photos/PropertyPhotoDlg.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/Prompts.h"
#include "app/controls/ExpButton.h"
#include "app/controls/ExpEdit.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/photos/DateField.h"
#include "app/reservoir/SurveyPicturePreview.h"
#include "fe/img/Image.h"
#include "fe/img/PictureFile.h"
#include "model/ProjectResult.h"
#include "view/ViewPhotoLink.h"

namespace app {
namespace {

constexpr int kStepDelayMs = 200;

CExpButton* PictureButton(QWidget* parent, const char* name, const QString& accessibleName, int normal,
                          int pressed, int disabled)
{
    auto* button = new CExpButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(accessibleName);
    button->SetBitmapsWithDisabled(normal, pressed, disabled);
    return button;
}

// The real value of a number edit when its text passes the edit's check; otherwise the kept value.
double CheckedReal(const CExpEdit& edit, double kept)
{
    return CheckNumberText(edit.Rules(), edit.text()) == 0 ? edit.GetReal() : kept;
}

// The crop frames of the photo's placed entries become its whole picture as it is turned now; nothing
// when the stored file's size cannot be read.
void ResetCropFrames(Project& project, const PhotoRecord& photo)
{
    int width = 0;
    int height = 0;
    if (!fe::img::FileIO().GetImageSize(width, height, project.PhotoFolder() + photo.FileName()))
        return;
    if (photo.rotation == 90 || photo.rotation == 270)
        std::swap(width, height);
    for (LocationMap& map : project.maps.maps)
        if (PlacedPhoto* entry = map.photos.FindByPhotoId(photo.id))
            entry->frame = Rect2(0, 0, width, height);
}

// The fields the dialog edits, the same in both records.
bool SameShotInfo(const PhotoRecord& a, const PhotoRecord& b)
{
    const auto same = [](double x, double y) { return x == y || (IsUnset(x) && IsUnset(y)); };
    return same(a.position.latitude, b.position.latitude) && same(a.position.longitude, b.position.longitude) &&
           same(a.direction, b.direction) && a.date == b.date && a.time == b.time && a.rotation == b.rotation;
}

}  // namespace

int RotationAfter(int rotation, bool left)
{
    const int turned = ((rotation + (left ? 90 : 270)) % 360 + 360) % 360;
    return turned - turned % 90;
}

CPropertyPhotoDlg::CPropertyPhotoDlg(CMainFrame& frame)
    : CKeyPolicyDialog(&frame), m_frame(frame), m_document(frame.Document())
{
    setObjectName(QStringLiteral("PhotoPropertyDialog"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    setModal(false);
    setWindowTitle(QStringLiteral("写真プロパティ"));

    m_left = PictureButton(this, "RotateLeft", QStringLiteral("左へ回転"), 386, 384, 385);
    m_left->setToolTip(QStringLiteral("左"));
    m_right = PictureButton(this, "RotateRight", QStringLiteral("右へ回転"), 389, 387, 388);
    m_right->setToolTip(QStringLiteral("右"));
    m_fit = new QPushButton(QStringLiteral("全体表示"), this);
    m_previous = PictureButton(this, "Previous", QStringLiteral("前の写真"), 473, 477, 474);
    m_next = PictureButton(this, "Next", QStringLiteral("次の写真"), 475, 478, 476);
    m_preview = new SurveyPicturePreview(this);
    m_preview->setObjectName(QStringLiteral("PhotoPreview"));
    m_preview->SetZoomable(true);
    m_preview->setMinimumSize(200, 150);

    m_latitude = new CExpEdit(this);
    m_latitude->setObjectName(QStringLiteral("Latitude"));
    m_latitude->SetRealMode(10, 6, -90.0, 90.0, kUnset);
    m_longitude = new CExpEdit(this);
    m_longitude->setObjectName(QStringLiteral("Longitude"));
    m_longitude->SetRealMode(10, 6, -180.0, 180.0, kUnset);
    m_direction = new CExpEdit(this);
    m_direction->setObjectName(QStringLiteral("Direction"));
    m_direction->SetRealMode(5, 1, 0.0, 360.0, kUnset);
    m_date = new CDateField(this);
    m_date->setObjectName(QStringLiteral("ShotDate"));
    m_time = new CExpEdit(this);
    m_time->setObjectName(QStringLiteral("ShotTime"));
    m_time->SetFreeTextMode(30000);
    auto* clearPosition = new QPushButton(QStringLiteral("クリア"), this);
    auto* clearDirection = new QPushButton(QStringLiteral("クリア"), this);
    auto* clearDate = new QPushButton(QStringLiteral("クリア"), this);
    auto* reread = new QPushButton(QStringLiteral("Exif情報再読込"), this);
    reread->setObjectName(QStringLiteral("RereadExif"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_left);
    top->addWidget(m_right);
    top->addWidget(m_fit);
    top->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_previous, 0, Qt::AlignVCenter);
    middle->addWidget(m_preview, 1);
    middle->addWidget(m_next, 0, Qt::AlignVCenter);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("緯度(°)"), this), 0, 0);
    fields->addWidget(m_latitude, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("経度(°)"), this), 0, 2);
    fields->addWidget(m_longitude, 0, 3);
    fields->addWidget(clearPosition, 0, 4);
    fields->addWidget(new QLabel(QStringLiteral("角度(°)"), this), 1, 0);
    fields->addWidget(m_direction, 1, 1);
    fields->addWidget(clearDirection, 1, 4);
    fields->addWidget(new QLabel(QStringLiteral("撮影日"), this), 2, 0);
    fields->addWidget(m_date, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("撮影時刻"), this), 2, 2);
    fields->addWidget(m_time, 2, 3);
    fields->addWidget(clearDate, 2, 4);
    fields->addWidget(reread, 3, 3, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(fields);
    m_photoControls = {m_left,   m_right, m_fit,          m_latitude,       m_longitude, m_direction,
                       m_date,   m_time,  clearPosition,  clearDirection, clearDate,   reread};

    connect(m_left, &CExpButton::clicked, this, &CPropertyPhotoDlg::RotateLeft);
    connect(m_right, &CExpButton::clicked, this, &CPropertyPhotoDlg::RotateRight);
    connect(m_fit, &QPushButton::clicked, m_preview, &SurveyPicturePreview::FitAll);
    connect(m_previous, &CExpButton::clicked, this, &CPropertyPhotoDlg::StepPrevious);
    connect(m_next, &CExpButton::clicked, this, &CPropertyPhotoDlg::StepNext);
    connect(clearPosition, &QPushButton::clicked, this, &CPropertyPhotoDlg::ClearPosition);
    connect(clearDirection, &QPushButton::clicked, this, &CPropertyPhotoDlg::ClearDirection);
    connect(clearDate, &QPushButton::clicked, this, &CPropertyPhotoDlg::ClearDateTime);
    connect(reread, &QPushButton::clicked, this, &CPropertyPhotoDlg::RereadExif);
    const auto positionLeft = [this] {
        StorePhotoFields(false);
        m_frame.RefreshView();
    };
    connect(m_latitude, &CExpEdit::Committed, this, positionLeft);
    connect(m_longitude, &CExpEdit::Committed, this, positionLeft);
    connect(m_direction, &CExpEdit::Committed, this, [this, positionLeft] {
        if (!m_loading)
            positionLeft();
    });
    connect(m_date, &CDateField::EditLeft, this, [this] {
        StorePhotoFields(false);
        LoadPhotoFields();
    });
    connect(m_date, &CDateField::DatePicked, this, [this] {
        StorePhotoFields(true);
        LoadPhotoFields();
    });
    connect(m_time, &CExpEdit::Committed, this, [this] { StorePhotoFields(false); });
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        button->installEventFilter(this);
    resize(600, 560);
    SetPhotoIndex(-1);
}

const PhotoRecord* CPropertyPhotoDlg::Photo() const
{
    if (!m_document || m_index < 0)
        return nullptr;
    const std::vector<PhotoRecord>& photos = m_document->GetProject().photos.photos;
    return m_index < int(photos.size()) ? &photos[size_t(m_index)] : nullptr;
}

void CPropertyPhotoDlg::SetPhotoIndex(int index)
{
    const int count = m_document ? int(m_document->GetProject().photos.photos.size()) : 0;
    m_index = index >= 0 && index < count ? index : -1;
    setWindowTitle(m_index >= 0 ? QStringLiteral("撮影写真番号 %1").arg(m_index + 1)
                                : QStringLiteral("撮影写真番号 -"));
    LoadPhotoFields();
    LoadPicture();
}

void CPropertyPhotoDlg::LoadPhotoFields()
{
    m_loading = true;
    if (const PhotoRecord* photo = Photo()) {
        m_latitude->SetReal(photo->position.latitude);
        m_longitude->SetReal(photo->position.longitude);
        m_direction->SetReal(photo->direction);
        m_time->setText(photo->time);
        m_date->Load(photo->date);
    } else {
        m_latitude->clear();
        m_longitude->clear();
        m_direction->clear();
        m_time->clear();
        m_date->Load(QString());
    }
    UpdateButtons();
    m_loading = false;
}

void CPropertyPhotoDlg::UpdateButtons()
{
    const bool photo = Photo() != nullptr;
    for (QWidget* control : m_photoControls)
        control->setEnabled(photo);
    const int count = m_document ? int(m_document->GetProject().photos.photos.size()) : 0;
    m_previous->setEnabled(photo && m_index > 0);
    m_next->setEnabled(photo && m_index + 1 < count);
}

void CPropertyPhotoDlg::LoadPicture()
{
    const PhotoRecord* photo = Photo();
    QImage picture;
    fe::img::Image loaded;
    // The preview fits the photo into itself and zooms in on it: a photo of up to 4096 × 4096 is read at its
    // own resolution, a larger one at that size, never whole whatever its header claims.
    if (photo && m_document->GetProject().LoadPhotoImage(loaded, m_index, QSize(4096, 4096)))
        picture = photo->rotation == 0 ? loaded.Picture()
                                       : locmap::ViewPhotoLink::TurnedPhoto(loaded.Picture(), photo->rotation);
    m_preview->SetPicture(picture);
}

bool CPropertyPhotoDlg::ChangePhoto(const std::function<bool(PhotoRecord&)>& edit, bool newRotation)
{
    if (!Photo())
        return false;
    const int index = m_index;
    const ProjectChangeOutcome outcome = m_document->Change(ProjectChange::Photos, [&](Project& project) {
        PhotoRecord& photo = project.photos.photos[size_t(index)];
        const int rotation = photo.rotation;
        if (!edit(photo))
            return false;
        if (newRotation || photo.rotation != rotation) {
            ResetCropFrames(project, photo);
            (void)project.RemakeThumbnails(index);
        }
        return true;
    });
    return outcome.changed;
}

void CPropertyPhotoDlg::StorePhotoFields(bool fromPicker)
{
    const PhotoRecord* photo = Photo();
    if (!photo || m_loading)
        return;
    m_loading = true;
    const double latitude = CheckedReal(*m_latitude, photo->position.latitude);
    const double longitude = CheckedReal(*m_longitude, photo->position.longitude);
    const double direction = CheckedReal(*m_direction, photo->direction);
    const QString time = m_time->text();
    const QString date = m_date->StoredText(fromPicker);
    (void)ChangePhoto([&](PhotoRecord& record) {
        const PhotoRecord before = record;
        record.position = fe::geo::GeoPoint(longitude, latitude);
        record.direction = direction;
        record.time = time;
        record.date = date;
        return !SameShotInfo(record, before);
    });
    m_loading = false;
}

void CPropertyPhotoDlg::ClearPosition()
{
    const bool changed = ChangePhoto([](PhotoRecord& photo) {
        if (IsUnset(photo.position.latitude) && IsUnset(photo.position.longitude))
            return false;
        photo.position = fe::geo::GeoPoint(kUnset, kUnset);
        return true;
    });
    if (!changed)
        return;
    LoadPhotoFields();
    m_frame.RefreshView();
}

void CPropertyPhotoDlg::ClearDirection()
{
    const bool changed = ChangePhoto([](PhotoRecord& photo) {
        if (IsUnset(photo.direction))
            return false;
        photo.direction = kUnset;
        return true;
    });
    if (!changed)
        return;
    LoadPhotoFields();
    m_frame.RefreshView();
}

void CPropertyPhotoDlg::ClearDateTime()
{
    if (ChangePhoto([](PhotoRecord& photo) {
            if (photo.date.isEmpty() && photo.time.isEmpty())
                return false;
            photo.date.clear();
            photo.time.clear();
            return true;
        }))
        LoadPhotoFields();
}

void CPropertyPhotoDlg::Rotate(int step)
{
    if (!ChangePhoto([step](PhotoRecord& photo) {
            photo.rotation = RotationAfter(photo.rotation, step > 0);
            return true;
        }))
        return;
    LoadPicture();
    m_frame.RefreshView();
}

void CPropertyPhotoDlg::RotateLeft()
{
    Rotate(1);
}

void CPropertyPhotoDlg::RotateRight()
{
    Rotate(-1);
}

void CPropertyPhotoDlg::RereadExif()
{
    const PhotoRecord* photo = Photo();
    if (!photo)
        return;
    const QString path = m_document->GetProject().PhotoFolder() + photo->FileName();
    // A copy that is gone or is no picture leaves the photo as it is: reading it would wipe the photo
    // and take it off every map with coordinates.
    QImageReader reader(path);
    if (!QFileInfo(path).isFile() || !reader.canRead() || !reader.size().isValid()) {
        ShowMessage(this, QStringLiteral("写真ファイルを読み込めませんでした。\n\n") + path,
                    QStringLiteral("確認"), PromptIcon::Warning);
        return;
    }
    const int rotation = photo->rotation;
    (void)ChangePhoto([&path](PhotoRecord& record) {
        const PhotoRecord before = record;
        record.ClearShotInfo();
        (void)record.ReadExif(path);
        return !SameShotInfo(record, before);
    });
    LoadPhotoFields();
    if (Photo() && Photo()->rotation != rotation)
        LoadPicture();
    m_frame.RefreshView();
}

void CPropertyPhotoDlg::StepBy(int step)
{
    const int count = m_document ? int(m_document->GetProject().photos.photos.size()) : 0;
    const int target = m_index + step;
    if (m_index < 0 || target < 0 || target >= count)
        return;
    const FramePaneLinks& links = m_frame.PaneLinks();
    if (links.selectPhotoRows)
        links.selectPhotoRows({target + 1});
    if (links.clearOverlapStrip)
        links.clearOverlapStrip();
    (void)m_frame.SendAppMessage(kMsgPhotoSelectionChanged);
    if (m_index != target)
        SetPhotoIndex(target);
}

void CPropertyPhotoDlg::StepPrevious()
{
    StepBy(-1);
}

void CPropertyPhotoDlg::StepNext()
{
    StepBy(1);
}

bool CPropertyPhotoDlg::KeepsEnter(QWidget* focus) const
{
    return focus == m_date->Edit();
}

void CPropertyPhotoDlg::keyPressEvent(QKeyEvent* event)
{
    QWidget* focus = focusWidget();
    const bool inField = focus == m_latitude || focus == m_longitude || focus == m_direction ||
                         focus == m_time || focus == m_date->Edit();
    const int key = event->key();
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && focus == m_date->Edit()) {
        focusNextChild();
        event->accept();
        return;
    }
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && !inField) {
        event->accept();
        StepByKey(key);
        return;
    }
    CKeyPolicyDialog::keyPressEvent(event);
}

void CPropertyPhotoDlg::StepByKey(int key)
{
    CExpButton* button = key == Qt::Key_Left ? m_previous : m_next;
    if (!button->isEnabled() || button->isDown())
        return;
    // The button shows pressed for a moment before the step, without blocking.
    button->setDown(true);
    QTimer::singleShot(kStepDelayMs, this, [this, button, key] {
        button->setDown(false);
        StepBy(key == Qt::Key_Left ? -1 : 1);
    });
}

bool CPropertyPhotoDlg::eventFilter(QObject* watched, QEvent* event)
{
    // A button would take ← and → to move the focus; only the edits keep them, so here they step.
    if (event->type() == QEvent::KeyPress && qobject_cast<QAbstractButton*>(watched)) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        if ((key == Qt::Key_Left || key == Qt::Key_Right) && press->modifiers() == Qt::NoModifier) {
            StepByKey(key);
            return true;
        }
    }
    return CKeyPolicyDialog::eventFilter(watched, event);
}

void CPropertyPhotoDlg::closeEvent(QCloseEvent* event)
{
    StorePhotoFields(false);
    event->accept();
    (void)m_frame.SendAppMessage(kMsgClosePhotoPropertyDlg, 1);
}

}  // namespace app
