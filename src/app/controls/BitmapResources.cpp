#include "app/controls/BitmapResources.h"

#include <QFile>

// The picture resources live in a static library; make sure they are registered before use.
static void RegisterPictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)registered;
}

namespace app {

QPixmap LoadBitmapResource(int id)
{
    RegisterPictures();
    const QString path = QStringLiteral(":/pictures/bmp%1.png").arg(id);
    if (!QFile::exists(path))
        return {};
    return QPixmap(path);
}

}  // namespace app
