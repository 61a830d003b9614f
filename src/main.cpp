#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/Startup.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandLine.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/frame/SingleInstance.h"
#include "app/progress/SplashWnd.h"
#include "app/view/TavrelView.h"
#include "app/view/ViewHost.h"
#include "model/AppSettings.h"

namespace {

bool HasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (!HasDisplay()) {
        std::fputs(
            "kelvor: no display found (DISPLAY is not set).\n"
            "Run it under a virtual display, for example: xvfb-run -a ./run.sh\n",
            stderr);
        return 2;
    }
    QApplication application(argc, argv);
    app::PrepareApplication(application);

    // A second program is refused before any window or file of the first is touched.
    app::SingleInstance instance;
    if (!instance.Acquire()) {
        app::ShowMessage(nullptr, app::SingleInstance::RefusedText());
        return 1;
    }

    // The program's settings: read once at start, written when the program ends.
    const QString settingsPath = AppSettings::FilePath();
    AppSettings settings = AppSettings::Defaults();
    (void)settings.Load(settingsPath);

    const app::StartupOptions options = app::ParseStartupArguments(application.arguments().mid(1));
    CTavrelDoc document;
    document.appSettings = &settings;
    CMainFrame frame(&document);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto* view = new CTavrelView(&document, app::MakeMainFrameViewHost(frame));
    view->LoadMarkSettings();
    app::InstallMainView(frame, view);
    frame.show();
    CSplashWnd::Show(&frame, options.splash);
    QApplication::processEvents();

    // The frame takes no input while the panes get the document and the named project opens; the
    // last project file on the command line is opened once the panes are empty and ready.
    frame.setEnabled(false);
    frame.ClearPanes();
    if (!options.projectPath.isEmpty())
        (void)document.RunCommand([&] { frame.OpenProjectPath(options.projectPath); });
    frame.UpdatePaneControls(false);
    frame.setEnabled(true);
    frame.raise();
    frame.activateWindow();
    CSplashWnd::Hide();
    QApplication::restoreOverrideCursor();
    frame.UpdateCommandStates();
    const int exitCode = application.exec();
    (void)settings.Save(settingsPath);
    return exitCode;
}
