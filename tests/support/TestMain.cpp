// The main() of every test program: a QApplication on the offscreen platform (unless a display
// was asked for), the IPA font substitutions, the C locale for numbers, and a fresh temporary
// folder as the program's writable folder for this run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>

#include "fe/AppFolders.h"
#include "fe/gdi/FontSubstitution.h"

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
    return RUN_ALL_TESTS();
}
