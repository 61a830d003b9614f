#include "app/frame/SingleInstance.h"

#include <QDir>

#include "app/AppTitle.h"
#include "fe/AppFolders.h"

namespace app {

bool SingleInstance::Acquire()
{
    if (Held())
        return true;
    m_lock =
        std::make_unique<QLockFile>(QDir(fe::GetWritableFolder()).filePath(QStringLiteral("kelvor.lock")));
    // A lock never goes stale by age while its program runs; one of a dead process is removed by tryLock.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    m_lock.reset();
    return false;
}

QString SingleInstance::RefusedText()
{
    return QStringLiteral("すでに%1 を起動していますので、\n新たに起動することはできません。")
        .arg(kProductName);
}

}  // namespace app
