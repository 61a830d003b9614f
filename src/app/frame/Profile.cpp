#include "app/frame/Profile.h"

#include <QDir>

#include "fe/AppFolders.h"

namespace app {

QString ProfilePath()
{
    return QDir(fe::GetWritableFolder()).filePath(QStringLiteral("profile.ini"));
}

}  // namespace app
