#include "app/progress/ReportProgressWindow.h"

#include <QPointer>
#include <QProgressBar>

#include "app/progress/SubProgressDlg.h"

namespace app {
namespace {

// The engine's progress calls on the program's progress window.
class ReportProgressWindow : public ReportProgress
{
public:
    explicit ReportProgressWindow(QWidget* parent) : m_window(parent) {}

    void SetTitle(const QString& title) override { m_window.setWindowTitle(title); }
    void SetRange(int steps) override { m_window.SetSteps(steps); }
    void SetPosition(int position) override { m_window.progressBar()->setValue(position); }
    void Advance() override { m_window.Advance(); }
    bool Cancelled() const override { return m_window.Cancelled(); }

private:
    CSubProgressDlg m_window;
};

}  // namespace

ReportProgressFactory MakeReportProgressFactory(QWidget* parent)
{
    QPointer<QWidget> owner(parent);
    return [owner]() -> std::unique_ptr<ReportProgress> {
        return std::make_unique<ReportProgressWindow>(owner.data());
    };
}

}  // namespace app
