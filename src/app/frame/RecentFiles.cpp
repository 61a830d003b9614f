#include "app/frame/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "app/frame/Profile.h"

namespace app {
namespace {

const QString kSection = QStringLiteral("Recent File List");

}  // namespace

void RecentFiles::Load()
{
    m_paths.clear();
    QSettings profile(ProfilePath(), QSettings::IniFormat);
    profile.beginGroup(kSection);
    for (int k = 1; k <= kMaxEntries; ++k) {
        const QString path = profile.value(QStringLiteral("File%1").arg(k)).toString();
        if (!path.isEmpty() && !m_paths.contains(path))
            m_paths.append(path);
    }
}

void RecentFiles::Save() const
{
    QSettings profile(ProfilePath(), QSettings::IniFormat);
    profile.remove(kSection);
    profile.beginGroup(kSection);
    for (int k = 0; k < m_paths.size(); ++k)
        profile.setValue(QStringLiteral("File%1").arg(k + 1), m_paths[k]);
    profile.endGroup();
    profile.sync();
}

void RecentFiles::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString clean = QDir::cleanPath(path);
    m_paths.removeAll(clean);
    m_paths.prepend(clean);
    while (m_paths.size() > kMaxEntries)
        m_paths.removeLast();
    Save();
}

void RecentFiles::Remove(int index)
{
    if (index < 0 || index >= m_paths.size())
        return;
    m_paths.removeAt(index);
    Save();
}

void RecentFiles::Clear()
{
    while (!m_paths.isEmpty())
        m_paths.removeLast();
    Save();
}

QString RecentFiles::MenuText(int index, const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    constexpr int kShown = 30;
    if (shown.size() > kShown) {
        const QString name = QFileInfo(path).fileName();
        const int keep = kShown - 4 - int(name.size());
        shown = keep > 0 ? shown.left(keep) + QStringLiteral("...") + QDir::separator() + name
                         : QStringLiteral("...") + name.right(kShown - 3);
    }
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

}  // namespace app
