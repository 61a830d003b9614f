#include "app/frame/CommandLine.h"

namespace app {

StartupOptions ParseStartupArguments(const QStringList& arguments)
{
    StartupOptions options;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("--no-splash"))
            options.splash = false;
        else if (!argument.startsWith(QLatin1Char('-')))
            options.projectPath = argument;
    }
    return options;
}

}  // namespace app
