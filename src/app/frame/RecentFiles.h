#pragma once

#include <QString>
#include <QStringList>

namespace app {

// The recent project files: at most 10 paths, newest first, kept in the program's profile under
// "Recent File List" as "File1" to "File10".
class RecentFiles
{
public:
    static constexpr int kMaxEntries = 10;

    // Reads the list from the profile.
    void Load();
    // Writes the list to the profile.
    void Save() const;

    // Puts the path at the top (removing an older entry of the same path) and writes the list.
    void Add(const QString& path);
    // Removes the entry and writes the list; nothing for an index out of range.
    void Remove(int index);
    // Removes every entry and writes the list.
    void Clear();

    const QStringList& Paths() const { return m_paths; }

    // The text of the entry's menu item: "&1 " and the path shortened to 30 characters.
    static QString MenuText(int index, const QString& path);

private:
    QStringList m_paths;
};

}  // namespace app
