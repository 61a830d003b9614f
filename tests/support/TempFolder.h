#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test, removed with the object. path() ends without '/'.
class TempFolder
{
public:
    TempFolder() = default;
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
};
