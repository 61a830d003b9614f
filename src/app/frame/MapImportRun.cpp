// Running the background-map import tool: a progress window with キャンセル while it runs, and a time
// limit after which the program ends it.
#include "app/frame/MapImportRun.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <csignal>

#include "app/frame/MainFrame.h"
#include "app/frame/MapCommands.h"
#include "app/progress/SubProgressDlg.h"
#include "fe/AppFolders.h"

namespace app {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kDefaultTimeLimit = std::chrono::minutes(10);
// How often the run looks at the window's キャンセル and at the clock.
constexpr int kWatchIntervalMs = 100;

milliseconds& TimeLimitOverride()
{
    static milliseconds limit{0};
    return limit;
}

// Ends the tool and whatever it started: the drawing renderer runs as the tool's child.
void EndTool(QProcess& tool)
{
    const qint64 id = tool.processId();
    if (id <= 0 || ::kill(-pid_t(id), SIGKILL) != 0)
        tool.kill();
    tool.waitForFinished(5000);
}

}  // namespace

milliseconds BackgroundImportTimeLimit()
{
    return TimeLimitOverride().count() > 0 ? TimeLimitOverride() : kDefaultTimeLimit;
}

void SetBackgroundImportTimeLimit(milliseconds limit)
{
    TimeLimitOverride() = limit;
}

QString ImportTimedOutText(milliseconds limit)
{
    const qint64 seconds = (limit.count() + 999) / 1000;
    const QString span =
        seconds % 60 == 0 ? QStringLiteral("%1分").arg(seconds / 60) : QStringLiteral("%1秒").arg(seconds);
    return QStringLiteral("背景地図の取込みが%1以内に終わらなかったため、中止しました。").arg(span);
}

ImportToolEnd RunBackgroundImportTool(CMainFrame& frame, const QString& path)
{
    QProcess tool;
    tool.setProgram(BackgroundImportToolPath());
    tool.setArguments({path});
    const QString exeFolder = fe::GetExeFolder();
    if (!exeFolder.isEmpty())
        tool.setWorkingDirectory(exeFolder);
    // The tool finds the temp folder where the program has it, also when the writable folder moved.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KELVOR_WRITABLE_FOLDER"), fe::GetWritableFolder());
    tool.setProcessEnvironment(environment);
    tool.setProcessChannelMode(QProcess::ForwardedChannels);
    // A process group of its own, so that ending it ends its renderer too; and it ends with the program.
    tool.setChildProcessModifier([] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });

    CSubProgressDlg progress(&frame);
    progress.setWindowTitle(QStringLiteral("背景地図取込み中"));
    progress.SetSteps(0);

    const milliseconds limit = BackgroundImportTimeLimit();
    QEventLoop loop;
    bool notStarted = false;
    ImportToolEnd end = ImportToolEnd::Finished;
    QObject::connect(&tool, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&tool, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            notStarted = true;
            loop.quit();
        }
    });
    QElapsedTimer clock;
    QTimer watch;
    watch.setInterval(kWatchIntervalMs);
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (progress.Cancelled())
            end = ImportToolEnd::Cancelled;
        else if (clock.hasExpired(limit.count()))
            end = ImportToolEnd::TimedOut;
        else
            return;
        loop.quit();
    });

    clock.start();
    tool.start();
    if (!notStarted && tool.state() != QProcess::NotRunning) {
        watch.start();
        loop.exec();
    }
    if (notStarted)
        return ImportToolEnd::NotStarted;
    // A cancel or a time-out stands even when the tool ended meanwhile: nothing it made is taken.
    if (end != ImportToolEnd::Finished && tool.state() != QProcess::NotRunning)
        EndTool(tool);
    return end;
}

}  // namespace app
