// The main() of every test program: a QApplication on the offscreen platform (unless a display
// was asked for), the IPA font substitutions, the C locale for numbers, and a fresh temporary
// folder as the program's writable folder for this run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QThreadPool>
#include <clocale>
#include <cstdlib>

#include "fe/AppFolders.h"
#include "fe/gdi/FontSubstitution.h"

// LeakSanitizer's walk over the threads' dynamically allocated thread-local blocks crashes in some
// process layouts once Qt's plugin loader has opened the image format plugins (it reads stale entries
// and stops the run with "LeakSanitizer has encountered a fatal error" after every test passed). Leaks
// are still found; thread-local storage is only not taken as a root (no code here keeps memory there).
extern "C" const char* __lsan_default_options()
{
    return "use_tls=0";
}

int main(int argc, char* argv[])
{
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    fe::gdi::InstallFontSubstitutions();

    QTemporaryDir writable;
    if (!writable.isValid())
        return 3;
    fe::SetWritableFolder(writable.path());
    const int result = RUN_ALL_TESTS();
    // Smooth picture scaling runs on the global thread pool, whose idle threads live on for half a minute.
    // Their thread data is held by thread-local storage alone, which LeakSanitizer does not take as a root
    // here: the threads end before the leak check, so that their data is never reported as a leak.
    QThreadPool::globalInstance()->waitForDone();
    return result;
}
