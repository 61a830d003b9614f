#include "app/panes/FlowPane.h"

#include <QApplication>
#include <algorithm>
#include <QEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "app/controls/ExpButton.h"
#include "app/frame/FrameMessages.h"

namespace app {
namespace {

const QColor kBackground(237, 255, 247);

// When a step may be used.
enum Need
{
    kAlways,
    kProject,
    kProjectAndMap,
    kProjectAndPhoto,
};

constexpr int kImportPhotos = -1;  // the step's action is the photo import, not a message

struct StepSpec
{
    int stage;
    const char16_t* text;
    int action;  // a message to the frame, or kImportPhotos
    Need need;
};

// The stages in order, with the message each sends when it is chosen.
const char16_t* const kStageTitles[CPaneFlowDlg::kStageCount] = {
    u"1. 共通情報", u"2. 写真位置図 / 写真台帳", u"3. 出力", u"4. 特定業務"};
const int kStageMessages[CPaneFlowDlg::kStageCount] = {kMsgFlowStageCommon, kMsgFlowStageLocmap,
                                                       kMsgFlowStageOutput, kMsgFlowStageArrange};

const StepSpec kSteps[] = {
    {0, u"新規作成 （保存フォルダ作成）", kMsgNewProject, kAlways},
    {0, u"写真取込", kImportPhotos, kProject},
    {0, u"現場位置図", kMsgOpenSiteMapDlg, kProject},
    {1, u"写真位置図作成", kMsgAddLocationMap, kProject},
    {1, u"写真位置図名称・属性", kMsgLocationMapInfo, kProjectAndMap},
    {1, u"写真台帳", kMsgOpenLedgerDlg, kProjectAndMap},
    {2, u"現場位置図出力", kMsgOutputSiteMap, kProjectAndPhoto},
    {2, u"写真位置図 / 写真台帳 出力", kMsgOutputReport, kProjectAndPhoto},
    {2, u"写真位置 CAD / シェープ 出力", kMsgOutputPhotoPositions, kProjectAndMap},
    {3, u"ため池劣化状況評価調査表", kMsgReservoirSurvey, kProject},
};

void PaintBackground(QWidget* widget)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kBackground);
    widget->setPalette(palette);
}

void LookOfHeader(CExpButton* header)
{
    header->style = 2;
    header->clickTracking = true;
    header->horizontalFlags = 0;
    header->textColor = Qt::black;
    header->faceColor = QColor(220, 240, 200);
    header->accentColor = QColor(180, 200, 165);
    header->checkedFaceColor = QColor(255, 245, 235);
    header->hotFaceColor = QColor(250, 170, 70);
    header->lightColor = QColor(250, 250, 250);
    header->shadowColor = QColor(150, 157, 157);
}

void LookOfStep(CExpButton* step)
{
    step->style = 3;
    step->clickTracking = true;
    step->textColor = QColor(0, 0, 160);
    step->accentColor = QColor(0, 0, 160);
    step->faceColor = QColor(195, 239, 255);
    step->checkedFaceColor = QColor(255, 245, 205);
    step->hotFaceColor = QColor(255, 245, 205);
    step->highlightColor = QColor(198, 198, 198);
    step->lightColor = QColor(227, 227, 227);
    step->shadowColor = QColor(70, 70, 70);
    step->darkShadowColor = QColor(35, 35, 35);
}

bool Allowed(int need, const UiState& s)
{
    switch (need) {
        case kAlways:
            return true;
        case kProject:
            return s.project;
        case kProjectAndMap:
            return s.project && s.mapCount > 0;
        default:
            return s.project && s.photoCount > 0;
    }
}

}  // namespace

CPaneFlowDlg::CPaneFlowDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FlowPane"));
    PaintBackground(this);
    m_host = new QWidget(this);
    m_host->setObjectName(QStringLiteral("FlowStageHost"));
    for (int k = 0; k < kStageCount; ++k) {
        auto* header = new CExpButton(QString::fromUtf16(kStageTitles[k]), this);
        header->setObjectName(QStringLiteral("FlowHeader%1").arg(k));
        LookOfHeader(header);
        header->installEventFilter(this);
        connect(header, &CExpButton::clicked, this, [this, k] { OnHeaderClicked(k); });
        m_headers[size_t(k)] = header;
    }
    BuildStages();
    m_headers[0]->checked = true;
    LayOut();
}

void CPaneFlowDlg::BuildStages()
{
    std::array<QVBoxLayout*, kStageCount> columns{};
    for (int k = 0; k < kStageCount; ++k) {
        auto* stage = new QWidget(m_host);
        stage->setObjectName(QStringLiteral("FlowStage%1").arg(k));
        PaintBackground(stage);
        columns[size_t(k)] = new QVBoxLayout(stage);
        columns[size_t(k)]->setContentsMargins(14, 12, 14, 12);
        columns[size_t(k)]->setSpacing(12);
        stage->hide();
        m_stages[size_t(k)] = stage;
    }
    for (const StepSpec& spec : kSteps) {
        auto* button = new CExpButton(QString::fromUtf16(spec.text), m_stages[size_t(spec.stage)]);
        LookOfStep(button);
        button->setMinimumHeight(40);
        button->setMouseTracking(true);
        button->installEventFilter(this);
        columns[size_t(spec.stage)]->addWidget(button);
        const StepButton step{button, spec.stage, spec.need};
        m_steps.push_back(step);
        connect(button, &CExpButton::clicked, this,
                [this, step, action = spec.action] { OnStepClicked(step, action); });
    }
    for (QVBoxLayout* column : columns)
        column->addStretch(1);
}

CExpButton* CPaneFlowDlg::Step(const QString& text) const
{
    for (const StepButton& step : m_steps)
        if (step.button->text() == text)
            return step.button;
    return nullptr;
}

void CPaneFlowDlg::SelectStage(int stage)
{
    if (stage < 0 || stage >= kStageCount || stage == m_stage)
        return;
    m_stage = stage;
    setUpdatesEnabled(false);
    LayOut();
    setUpdatesEnabled(true);
    update();
}

void CPaneFlowDlg::LayOut()
{
    const int h = kHeaderHeight;
    const int w = width();
    const int H = height();
    const int s = m_stage;
    for (int i = 0; i < kStageCount; ++i) {
        const int top = i <= s ? i * h : H - (kStageCount - i) * h;
        m_headers[size_t(i)]->setGeometry(0, top, w, h);
    }
    // The space of the stage's scroll bar stays reserved, although the stages never need it.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int hostTop = (s + 1) * h;
    const int hostBottom = H - (kStageCount - 1 - s) * h;
    m_host->setGeometry(0, hostTop, std::max(0, w - bar), std::max(0, hostBottom - hostTop));
    for (int i = 0; i < kStageCount; ++i) {
        CExpButton* header = m_headers[size_t(i)];
        if (header->checked != (i == s)) {
            header->checked = i == s;
            header->update();
        }
        QWidget* page = m_stages[size_t(i)];
        if (i == s) {
            page->setGeometry(m_host->rect());
            page->show();
        } else {
            page->hide();
        }
    }
}

void CPaneFlowDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void CPaneFlowDlg::OnHeaderClicked(int stage)
{
    if (stage == m_stage)
        return;
    SelectStage(stage);
    if (sendToFrame)
        sendToFrame(kStageMessages[stage], 0, 0);
}

void CPaneFlowDlg::OnStepClicked(const StepButton& step, int action)
{
    for (const StepButton& other : m_steps) {
        if (other.stage != step.stage)
            continue;
        const bool checked = other.button == step.button;
        if (other.button->checked != checked) {
            other.button->checked = checked;
            other.button->update();
        }
    }
    if (action == kImportPhotos) {
        if (importPhotos)
            importPhotos();
    } else if (sendToFrame) {
        sendToFrame(action, 0, 0);
    }
}

void CPaneFlowDlg::UpdateButtons(const UiState& state)
{
    for (const StepButton& step : m_steps)
        step.button->setEnabled(Allowed(step.need, state));
    setEnabled(!state.siteMapDialogVisible && !state.ledgerDialogVisible);
}

void CPaneFlowDlg::EnableAll(bool on)
{
    // 新規作成 goes off with the rest: a new project in the middle of a long command would pull the
    // project away from under it.
    for (const StepButton& step : m_steps)
        step.button->setEnabled(on);
}

bool CPaneFlowDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        auto* button = qobject_cast<CExpButton*>(watched);
        const bool hot = event->type() == QEvent::Enter;
        if (button && button->hot != hot) {
            button->hot = hot;
            button->update();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace app
