#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/ProgramRun.h"
#include "app/Startup.h"

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

    app::ProgramRun run(application.arguments().mid(1));
    if (run.Refused())
        return 1;
    const int exitCode = application.exec();
    run.Finish();
    return exitCode;
}
