#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "app/frame/CommandRules.h"

namespace app {

class CExpButton;

// The work-flow pane in the upper left: four numbered stages as an accordion. The current stage's
// header stays in place with the headers before it at the top, the headers after it sit at the bottom,
// and the stage's step buttons fill the space between. Each step asks the main frame to run one
// command, by a private message or (the photo import) a direct call.
class CPaneFlowDlg : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kStageCount = 4;
    static constexpr int kHeaderHeight = 30;

    explicit CPaneFlowDlg(QWidget* parent = nullptr);

    // What a step does: a private message to the frame (message, wParam, lParam) and the photo import.
    std::function<qintptr(int, qintptr, qintptr)> sendToFrame;
    std::function<void()> importPhotos;

    // Shows the stage (0 to 3); nothing when it is already shown.
    void SelectStage(int stage);
    int CurrentStage() const { return m_stage; }

    // Enabled states from the project: the whole pane is off while the site-map or the ledger dialog
    // is visible.
    void UpdateButtons(const UiState& state);
    // Every step button on or off (the busy state).
    void EnableAll(bool on);

    CExpButton* Header(int stage) const { return m_headers[size_t(stage)]; }
    QWidget* Stage(int stage) const { return m_stages[size_t(stage)]; }
    QWidget* Host() const { return m_host; }
    // The step button with the text, or null.
    CExpButton* Step(const QString& text) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct StepButton
    {
        CExpButton* button = nullptr;
        int stage = 0;
        int need = 0;
    };

    void BuildStages();
    void LayOut();
    void OnHeaderClicked(int stage);
    void OnStepClicked(const StepButton& step, int action);

    std::array<CExpButton*, kStageCount> m_headers{};
    std::array<QWidget*, kStageCount> m_stages{};
    std::vector<StepButton> m_steps;
    QWidget* m_host = nullptr;
    int m_stage = 0;
};

}  // namespace app
