#include "model/MapImportFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "fe/AtomicSave.h"
#include "fe/Failure.h"
#include "fe/File.h"
#include "fe/PathUtil.h"

bool WriteBgxStartupSetting(const QString& tileCacheFolder)
{
    const QString tempFolder = fe::MakeTempFolder();
    if (tempFolder.isEmpty()) {
        return false;
    }
    fe::FileWB file;
    if (!file.open(tempFolder + QLatin1String(kBgxStartupSettingName), 0)) {
        return false;
    }
    try {
        file.writeBinInt32(1).writeBinInt32(0).writeBinInt32(0);
        file.writeBinInt32(static_cast<std::int32_t>(tileCacheFolder.size()));
        for (const QChar unit : tileCacheFolder) {
            file.writeBinByte(static_cast<std::uint8_t>(unit.unicode() & 0xFF));
            file.writeBinByte(static_cast<std::uint8_t>(unit.unicode() >> 8));
        }
    } catch (const fe::Failure&) {
        return false;
    }
    return file.close();
}

bool FindRegistrationFile(const QString& picturePath, QString& registrationPath, bool createTempFolder)
{
    registrationPath.clear();
    const fe::PathParts parts(picturePath);
    if (parts.name.isEmpty()) {
        return false;
    }
    QString tempFolder = fe::GetTempFolderPath();
    if (!tempFolder.isEmpty() && createTempFolder && !QFileInfo(tempFolder).isDir()) {
        tempFolder = fe::MakeTempFolder();
    }
    registrationPath = (tempFolder.isEmpty() ? parts.drive + parts.folder : tempFolder) + parts.name +
                       QStringLiteral(".mhc");
    return QFileInfo(registrationPath).isFile();
}

QString CadRegistrationOf(const QString& registrationPath)
{
    const qsizetype at = registrationPath.indexOf(QStringLiteral(".mhc"), 1);
    if (at < 1) {
        return {};
    }
    return registrationPath.left(at) + QStringLiteral("CAD.mhc");
}

QString ReadBgxMessage()
{
    QFile file(fe::GetTempFolderPath() + QLatin1String(kBgxMessageName));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.read(kMaxBgxMessageBytes)).trimmed();
}

bool WriteBgxMessage(const QString& text)
{
    const QString tempFolder = fe::MakeTempFolder();
    return !tempFolder.isEmpty() &&
           fe::SaveBytesAtomically(tempFolder + QLatin1String(kBgxMessageName), text.toUtf8());
}
