#pragma once

#include <functional>
#include <vector>

#include "app/KeyPolicyDialog.h"
#include "model/PhotoRecord.h"

class CMainFrame;
class CTavrelDoc;
class QLineEdit;
class QPushButton;

namespace app {

class CDateField;
class CExpButton;
class CExpEdit;
class SurveyPicturePreview;

// 写真プロパティ: the modeless dialog that edits one photo of the project beside a zoomable preview: its
// latitude, longitude and direction, shot date and time and rotation, and reads its EXIF data again; ←/→
// step to the neighbouring photo. Every edit is one change of the document (placed photos brought in
// step, saved; a failed save is told). Esc does nothing; the close box tells the frame, which deletes it.
class CPropertyPhotoDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    explicit CPropertyPhotoDlg(CMainFrame& frame);

    // The photo shown (an index outside the list shows none); the caption, the fields and the preview.
    void SetPhotoIndex(int index);
    int PhotoIndex() const { return m_index; }
    // The fields from the photo record.
    void LoadPhotoFields();
    // The fields into the photo record: numbers only when their edit holds a valid value (an empty edit
    // unsets), the time as typed, the date from the calendar when `fromPicker`, else the typed text when
    // it reads year first, else none.
    void StorePhotoFields(bool fromPicker);

    // The buttons.
    void ClearPosition();
    void ClearDirection();
    void ClearDateTime();
    void RotateLeft();
    void RotateRight();
    void RereadExif();
    void StepPrevious();
    void StepNext();

    CExpEdit* LatitudeEdit() const { return m_latitude; }
    CExpEdit* LongitudeEdit() const { return m_longitude; }
    CExpEdit* DirectionEdit() const { return m_direction; }
    CDateField* DateField() const { return m_date; }
    CExpEdit* TimeEdit() const { return m_time; }
    CExpButton* PreviousButton() const { return m_previous; }
    CExpButton* NextButton() const { return m_next; }
    SurveyPicturePreview* Preview() const { return m_preview; }

protected:
    bool KeepsEnter(QWidget* focus) const override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const PhotoRecord* Photo() const;
    // One change of the current photo; false when nothing changed or nothing ran. A failed save is told.
    bool ChangePhoto(const std::function<bool(PhotoRecord&)>& edit, bool newRotation = false);
    void Rotate(int step);
    void LoadPicture();
    void UpdateButtons();
    void StepBy(int step);
    // ← or → as the previous or next button: it shows pressed for a moment, then steps.
    void StepByKey(int key);

    CMainFrame& m_frame;
    CTavrelDoc* m_document;
    int m_index = -1;
    bool m_loading = false;
    SurveyPicturePreview* m_preview = nullptr;
    CExpButton* m_left = nullptr;
    CExpButton* m_right = nullptr;
    CExpButton* m_previous = nullptr;
    CExpButton* m_next = nullptr;
    QPushButton* m_fit = nullptr;
    CExpEdit* m_latitude = nullptr;
    CExpEdit* m_longitude = nullptr;
    CExpEdit* m_direction = nullptr;
    CDateField* m_date = nullptr;
    CExpEdit* m_time = nullptr;
    std::vector<QWidget*> m_photoControls;
};

// The rotation after one step (counter-clockwise degrees): left adds 90, right takes 90 away.
int RotationAfter(int rotation, bool left);

}  // namespace app
