#pragma once

#include <QString>
#include <QStringList>

namespace app {

// What the program's command line asks for.
struct StartupOptions
{
    QString projectPath;  // the last file named; empty when none
    bool splash = true;   // "--no-splash" starts without the splash picture
};

// Reads the arguments after the program's name: the last argument that is not an option names the
// project to open.
StartupOptions ParseStartupArguments(const QStringList& arguments);

}  // namespace app
