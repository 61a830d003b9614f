#include "app/settings/SetMarkDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/Prompts.h"
#include "app/controls/ExpButton.h"
#include "app/controls/OkCancelRow.h"
#include "app/settings/MarkSample.h"
#include "app/settings/SetMarkChildDlg.h"

namespace app {
namespace {

const QSize kPreviewSize(220, 150);

std::uint32_t& ColorField(MarkStyle& style, int which)
{
    switch (which) {
        case CSetMarkDlg::kDrawColor:
            return style.drawColor;
        case CSetMarkDlg::kOutlineColor:
            return style.outlineColor;
        case CSetMarkDlg::kTextColor:
            return style.textColor;
        default:
            return style.textBackColor;
    }
}

void ShowColor(CExpButton& button, std::uint32_t colorRef)
{
    button.faceColor = ColorOfRef(colorRef);
    button.update();
}

}  // namespace

QColor ColorOfRef(std::uint32_t colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

std::uint32_t RefOfColor(const QColor& color)
{
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8) |
           (std::uint32_t(color.blue()) << 16);
}

CSetMarkDlg::CSetMarkDlg(MarkStyle& live, std::function<void()> refreshView, QWidget* parent)
    : CKeyPolicyDialog(parent), m_live(live), m_backup(live), m_refreshView(std::move(refreshView))
{
    setWindowTitle(QStringLiteral("写真位置マークの詳細設定"));
    m_photoPoint = LoadPhotoPointPicture();

    m_previewLabel = new QLabel(this);
    m_previewLabel->setFixedSize(kPreviewSize);
    m_previewLabel->setFrameShape(QFrame::Box);

    auto* shapeBox = new QGroupBox(QStringLiteral("形状"), this);
    auto* shape1 = new QRadioButton(QStringLiteral("形状1"), shapeBox);
    auto* shape2 = new QRadioButton(QStringLiteral("形状2"), shapeBox);
    m_shapes = new QButtonGroup(this);
    m_shapes->addButton(shape1, 0);
    m_shapes->addButton(shape2, 1);
    auto* shapeLayout = new QVBoxLayout(shapeBox);
    shapeLayout->addWidget(shape1);
    shapeLayout->addWidget(shape2);

    auto* colorBox = new QGroupBox(QStringLiteral("色"), this);
    auto* colorLayout = new QGridLayout(colorBox);
    const char* const names[] = {"描画色", "縁取色", "文字色", "文字背景色"};
    for (int k = 0; k < 4; ++k) {
        auto* button = new CExpButton(this);
        button->setFixedSize(40, 20);
        button->setObjectName(QStringLiteral("color%1").arg(k));
        button->setAccessibleName(QString::fromUtf8(names[k]));  // the button shows only the colour
        m_colors[size_t(k)] = button;
        ShowColor(*button, ColorField(m_live, k));
        colorLayout->addWidget(new QLabel(QString::fromUtf8(names[k]), colorBox), k / 2, (k % 2) * 2);
        colorLayout->addWidget(button, k / 2, (k % 2) * 2 + 1);
        connect(button, &QAbstractButton::clicked, this, [this, k] { ChooseColor(k); });
    }

    m_tabs = new QTabWidget(this);
    m_pages[0] = new CSetMarkChildDlg(0, m_live.screen, m_tabs);
    m_pages[1] = new CSetMarkChildDlg(1, m_live.excel, m_tabs);
    m_pages[0]->SetOtherPage(m_pages[1]);
    m_pages[1]->SetOtherPage(m_pages[0]);
    m_tabs->addTab(m_pages[0], QStringLiteral("画面"));
    m_tabs->addTab(m_pages[1], QStringLiteral("Excel出力"));
    for (CSetMarkChildDlg* page : m_pages)
        page->changed = [this] { Changed(); };
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { Changed(); });

    m_shapes->button(m_live.kind == 1 ? 1 : 0)->setChecked(true);
    for (CSetMarkChildDlg* page : m_pages)
        page->SetShapeKind(m_live.kind == 1 ? 1 : 0);
    connect(m_shapes, &QButtonGroup::idClicked, this, [this](int id) { SetShapeKind(id); });

    auto* top = new QHBoxLayout;
    top->addWidget(m_previewLabel);
    auto* side = new QVBoxLayout;
    side->addWidget(shapeBox);
    side->addWidget(colorBox);
    top->addLayout(side);
    const OkCancelRow buttons = MakeOkCancelRow(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons.layout);

    m_preview = MarkSampleImage(m_live, kScreenSetting, kPreviewSize, m_photoPoint);
    m_previewLabel->setPixmap(QPixmap::fromImage(m_preview));
}

void CSetMarkDlg::SetShapeKind(int kind)
{
    m_live.kind = kind == 1 ? 1 : 0;
    if (QAbstractButton* button = m_shapes->button(m_live.kind))
        button->setChecked(true);
    for (CSetMarkChildDlg* page : m_pages)
        page->SetShapeKind(m_live.kind);
    Changed();
}

void CSetMarkDlg::ChooseColor(int which)
{
    std::uint32_t& field = ColorField(m_live, which);
    const std::optional<QColor> chosen = Prompts().Color(this, ColorOfRef(field));
    if (!chosen)
        return;
    field = RefOfColor(*chosen);
    ShowColor(*m_colors[size_t(which)], field);
    Changed();
}

void CSetMarkDlg::reject()
{
    m_live = m_backup;
    if (m_refreshView)
        m_refreshView();
    CKeyPolicyDialog::reject();
}

void CSetMarkDlg::Changed()
{
    const int setting = m_tabs->currentIndex() == 1 ? kExcelSetting : kScreenSetting;
    m_preview = MarkSampleImage(m_live, setting, kPreviewSize, m_photoPoint);
    m_previewLabel->setPixmap(QPixmap::fromImage(m_preview));
    if (m_refreshView)
        m_refreshView();
}

}  // namespace app
