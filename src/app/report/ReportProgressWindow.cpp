#include "app/report/ReportProgressWindow.h"

#include <QPointer>
#include <QProgressBar>

#include "app/progress/SubProgressDlg.h"

namespace {

class ReportProgressWindow : public ReportProgress
{
public:
    explicit ReportProgressWindow(QWidget* parent) : m_dialog(parent) {}

    void SetTitle(const QString& title) override { m_dialog.setWindowTitle(title); }
    void SetRange(int steps) override { m_dialog.SetSteps(steps); }
    void SetPosition(int position) override
    {
        if (m_dialog.progressBar())
            m_dialog.progressBar()->setValue(position);
    }
    void Advance() override { m_dialog.Advance(); }
    bool Cancelled() const override { return m_dialog.Cancelled(); }

private:
    CSubProgressDlg m_dialog;
};

}  // namespace

ReportProgressFactory MakeReportProgressFactory(QWidget* parent)
{
    QPointer<QWidget> owner(parent);
    return [owner]() -> std::unique_ptr<ReportProgress> {
        return std::make_unique<ReportProgressWindow>(owner.data());
    };
}
