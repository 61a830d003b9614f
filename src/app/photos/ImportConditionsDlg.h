#pragma once

#include "app/KeyPolicyDialog.h"
#include "model/ReportRecords.h"

class QCheckBox;

namespace app {

class CDateField;

// 写真取込設定: the conditions of the project's photo import. The dialog edits its own copy of the settings
// (Settings()); OK stores the controls and puts a reversed date range in order, キャンセル gives the
// settings back as they came. Esc does nothing.
class CSetConfigPhotoImportDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    explicit CSetConfigPhotoImportDlg(const PhotoImportSettings& settings, QWidget* parent = nullptr);

    const PhotoImportSettings& Settings() const { return m_settings; }

    // Controls from the settings, and back; `fromPickerA`/`B` take the from and to dates from their
    // calendars.
    void LoadSettings();
    void StoreSettings(bool fromPickerA, bool fromPickerB);
    void UpdateEnables();

    QCheckBox* SkipSameName() const { return m_skipSameName; }
    QCheckBox* AlsoSameShotTime() const { return m_alsoSameShotTime; }
    QCheckBox* DateFilter() const { return m_dateFilter; }
    QCheckBox* TakeDirection() const { return m_takeDirection; }
    CDateField* FromDate() const { return m_from; }
    CDateField* ToDate() const { return m_to; }

public slots:
    void accept() override;
    void reject() override;

private:
    const PhotoImportSettings m_original;
    PhotoImportSettings m_settings;
    QCheckBox* m_skipSameName = nullptr;
    QCheckBox* m_alsoSameShotTime = nullptr;
    QCheckBox* m_dateFilter = nullptr;
    QCheckBox* m_takeDirection = nullptr;
    CDateField* m_from = nullptr;
    CDateField* m_to = nullptr;
};

// The two bounds in order: when both read as dates and `to` is before `from`, they are swapped.
void OrderDateRange(QString& from, QString& to);

}  // namespace app
