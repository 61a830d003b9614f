#include "app/photos/ImportConditionsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "app/photos/DateField.h"
#include "fe/SimpleDate.h"

namespace app {

void OrderDateRange(QString& from, QString& to)
{
    fe::SimpleDate first;
    fe::SimpleDate last;
    if (first.Parse(from) && last.Parse(to) && first.IsLaterThan(last))
        std::swap(from, to);
}

CSetConfigPhotoImportDlg::CSetConfigPhotoImportDlg(const PhotoImportSettings& settings, QWidget* parent)
    : CKeyPolicyDialog(parent), m_original(settings), m_settings(settings)
{
    setObjectName(QStringLiteral("PhotoImportConditions"));
    setWindowTitle(QStringLiteral("写真取込設定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* conditions = new QGroupBox(QStringLiteral("写真取込条件"), this);
    m_skipSameName = new QCheckBox(QStringLiteral("既存写真と元ファイル名が同じ写真は取り込まない"), conditions);
    m_alsoSameShotTime = new QCheckBox(QStringLiteral("撮影日時が同じ写真は取り込まない"), conditions);
    m_dateFilter = new QCheckBox(QStringLiteral("取込日範囲"), conditions);
    m_from = new CDateField(conditions);
    m_from->setObjectName(QStringLiteral("FromDate"));
    m_to = new CDateField(conditions);
    m_to->setObjectName(QStringLiteral("ToDate"));
    auto* grid = new QGridLayout(conditions);
    grid->addWidget(m_skipSameName, 0, 0, 1, 4);
    grid->addWidget(m_alsoSameShotTime, 1, 1, 1, 3);
    grid->addWidget(m_dateFilter, 2, 0, 1, 4);
    grid->addWidget(m_from, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("～"), conditions), 3, 2);
    grid->addWidget(m_to, 3, 3);
    grid->setColumnMinimumWidth(0, 16);

    auto* reading = new QGroupBox(QStringLiteral("読込情報設定"), this);
    m_takeDirection = new QCheckBox(QStringLiteral("撮影角度を読み込む"), reading);
    auto* readingLayout = new QVBoxLayout(reading);
    readingLayout->addWidget(m_takeDirection);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    SetOkButton(ok);
    SetCancelButton(cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSetConfigPhotoImportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSetConfigPhotoImportDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conditions);
    layout->addWidget(reading);
    layout->addWidget(buttons);

    connect(m_skipSameName, &QCheckBox::clicked, this, &CSetConfigPhotoImportDlg::UpdateEnables);
    connect(m_dateFilter, &QCheckBox::clicked, this, &CSetConfigPhotoImportDlg::UpdateEnables);
    const auto edited = [this] {
        StoreSettings(false, false);
        LoadSettings();
    };
    connect(m_from, &CDateField::EditLeft, this, edited);
    connect(m_to, &CDateField::EditLeft, this, edited);
    connect(m_from, &CDateField::DatePicked, this, [this] {
        StoreSettings(true, false);
        LoadSettings();
    });
    connect(m_to, &CDateField::DatePicked, this, [this] {
        StoreSettings(false, true);
        LoadSettings();
    });
    LoadSettings();
}

void CSetConfigPhotoImportDlg::LoadSettings()
{
    m_skipSameName->setChecked(m_settings.skipSameName != 0);
    m_alsoSameShotTime->setChecked(m_settings.alsoSameShotTime != 0);
    m_dateFilter->setChecked(m_settings.dateFilter != 0);
    m_takeDirection->setChecked(m_settings.takeDirection != 0);
    m_from->Load(m_settings.fromDate);
    m_to->Load(m_settings.toDate);
    UpdateEnables();
}

void CSetConfigPhotoImportDlg::StoreSettings(bool fromPickerA, bool fromPickerB)
{
    m_settings.skipSameName = m_skipSameName->isChecked() ? 1 : 0;
    m_settings.alsoSameShotTime = m_alsoSameShotTime->isChecked() ? 1 : 0;
    m_settings.dateFilter = m_dateFilter->isChecked() ? 1 : 0;
    m_settings.takeDirection = m_takeDirection->isChecked() ? 1 : 0;
    m_settings.fromDate = m_from->StoredText(fromPickerA);
    m_settings.toDate = m_to->StoredText(fromPickerB);
}

void CSetConfigPhotoImportDlg::UpdateEnables()
{
    m_alsoSameShotTime->setEnabled(m_skipSameName->isChecked());
    m_from->setEnabled(m_dateFilter->isChecked());
    m_to->setEnabled(m_dateFilter->isChecked());
}

void CSetConfigPhotoImportDlg::accept()
{
    StoreSettings(false, false);
    OrderDateRange(m_settings.fromDate, m_settings.toDate);
    QDialog::accept();
}

void CSetConfigPhotoImportDlg::reject()
{
    // Only キャンセル ends the dialog this way (Esc is swallowed before): the settings as they came.
    m_settings = m_original;
    QDialog::reject();
}

}  // namespace app
