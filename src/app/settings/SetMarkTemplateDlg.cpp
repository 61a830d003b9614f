#include "app/settings/SetMarkTemplateDlg.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/controls/OkCancelRow.h"
#include "app/settings/MarkSample.h"
#include "app/settings/SetMarkDlg.h"

namespace app {
namespace {

const QSize kSampleSize(220, 150);

}  // namespace

QString MarkTemplateFileFilter()
{
    return QtFileFilter(QStringLiteral("写真位置マークテンプレートファイル(*.bin)|*.bin||"));
}

CSetMarkTemplateDlg::CSetMarkTemplateDlg(MarkSettingSet& live, std::function<void()> refreshView,
                                         QWidget* parent)
    : CKeyPolicyDialog(parent), m_live(live), m_refreshView(std::move(refreshView))
{
    setWindowTitle(QStringLiteral("写真位置マークの設定"));
    // The backup keeps the six templates whatever the live set holds.
    m_backup.count = MarkSettingSet::kTemplateCount;
    m_backup.Reset();
    m_backup = m_live;
    m_photoPoint = LoadPhotoPointPicture();

    m_sampleLabel = new QLabel(this);
    m_sampleLabel->setFixedSize(kSampleSize);
    m_sampleLabel->setFrameShape(QFrame::Box);

    m_templates = new QButtonGroup(this);
    m_templates->setExclusive(true);
    auto* choices = new QHBoxLayout;
    for (int k = 0; k < int(MarkSettingSet::kTemplateCount); ++k) {
        auto* button = new QPushButton(QString::number(k + 1), this);
        button->setCheckable(true);
        button->setFixedWidth(32);
        m_templates->addButton(button, k);
        choices->addWidget(button);
    }
    choices->addStretch();
    connect(m_templates, &QButtonGroup::idClicked, this, [this](int id) { SelectTemplate(id); });

    auto* details = new QPushButton(QStringLiteral("詳細編集"), this);
    auto* reset = new QPushButton(QStringLiteral("初期設定に戻す"), this);
    auto* import = new QPushButton(QStringLiteral("インポート"), this);
    auto* exportButton = new QPushButton(QStringLiteral("エクスポート"), this);
    connect(details, &QPushButton::clicked, this, [this] { EditDetails(); });
    connect(reset, &QPushButton::clicked, this, [this] { ResetSelected(); });
    connect(import, &QPushButton::clicked, this, [this] { Import(); });
    connect(exportButton, &QPushButton::clicked, this, [this] { Export(); });
    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("テンプレート"), this));
    side->addLayout(choices);
    side->addWidget(details);
    side->addWidget(reset);
    side->addStretch();
    auto* files = new QHBoxLayout;
    files->addWidget(import);
    files->addWidget(exportButton);
    side->addLayout(files);

    auto* top = new QHBoxLayout;
    top->addWidget(m_sampleLabel);
    top->addLayout(side);
    const OkCancelRow buttons = MakeOkCancelRow(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons.layout);

    const int current = m_live.currentIndex;
    if (QAbstractButton* button = m_templates->button(current))
        button->setChecked(true);
    m_sample = MarkSampleImage(m_live.Current() ? *m_live.Current() : MarkStyle(), kScreenSetting,
                               kSampleSize, m_photoPoint);
    m_sampleLabel->setPixmap(QPixmap::fromImage(m_sample));
}

int CSetMarkTemplateDlg::SelectedIndex() const
{
    return m_templates->checkedId();
}

void CSetMarkTemplateDlg::SelectTemplate(int index)
{
    if (index < 0 || index >= int(m_live.styles.size()))
        return;
    if (QAbstractButton* button = m_templates->button(index))
        button->setChecked(true);
    m_live.currentIndex = index;
    Changed();
}

void CSetMarkTemplateDlg::ResetSelected()
{
    const int index = SelectedIndex();
    if (index < 0 || index >= int(m_live.styles.size()))
        return;
    MarkStyle& style = m_live.styles[size_t(index)];
    switch (index) {
        case 0:
            style.Reset();
            break;
        case 1:
            style.SetPreset1();
            break;
        case 2:
            style.SetPreset2();
            break;
        case 3:
            style.SetPreset3();
            break;
        case 4:
            style.SetPreset4();
            break;
        default:
            style.SetPreset5();
            break;
    }
    Changed();
}

void CSetMarkTemplateDlg::EditDetails()
{
    const int index = m_live.currentIndex;
    if (index < 0 || index >= int(m_live.styles.size()))
        return;
    CSetMarkDlg dialog(m_live.styles[size_t(index)], m_refreshView, this);
    bool ended = false;
    connect(&dialog, &QDialog::finished, this, [&ended] { ended = true; });
    if (beforeDetails)
        beforeDetails(dialog);
    if (!ended)
        (void)dialog.exec();
    Changed();
}

void CSetMarkTemplateDlg::Import()
{
    const QString path = Prompts().OpenFileName(nullptr, QStringLiteral("写真位置マークの設定ファイル読込"),
                                                QString(), MarkTemplateFileFilter());
    if (path.isEmpty())
        return;
    MarkSettingSet kept;
    kept.count = MarkSettingSet::kTemplateCount;
    kept = m_live;
    if (!m_live.Load(path)) {
        m_live = kept;
        ShowMessage(this, QStringLiteral("ファイルの読み込みに失敗しました。"), kProductName,
                    PromptIcon::Warning);
    }
    if (QAbstractButton* button = m_templates->button(m_live.currentIndex))
        button->setChecked(true);
    Changed();
}

void CSetMarkTemplateDlg::Export()
{
    QString path = Prompts().SaveFileName(this, QStringLiteral("写真位置マークの設定ファイル保存"), QString(),
                                          MarkTemplateFileFilter());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".bin");
    if (!m_live.Save(path))
        ShowMessage(this, QStringLiteral("ファイルのエクスポートに失敗しました。"), kProductName,
                    PromptIcon::Warning);
}

void CSetMarkTemplateDlg::accept()
{
    if (SelectedIndex() >= 0)
        m_live.currentIndex = SelectedIndex();
    CKeyPolicyDialog::accept();
}

void CSetMarkTemplateDlg::reject()
{
    m_live = m_backup;
    if (m_refreshView)
        m_refreshView();
    CKeyPolicyDialog::reject();
}

void CSetMarkTemplateDlg::Changed()
{
    const MarkStyle* current = m_live.Current();
    m_sample = MarkSampleImage(current ? *current : MarkStyle(), kScreenSetting, kSampleSize, m_photoPoint);
    m_sampleLabel->setPixmap(QPixmap::fromImage(m_sample));
    if (m_refreshView)
        m_refreshView();
}

}  // namespace app
