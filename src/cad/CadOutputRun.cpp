#include "cad/CadOutputRun.h"

#include <QFileInfo>

#include "cad/CadMapOutput.h"
#include "fe/StaticTables.h"
#include "model/Project.h"

bool IsCadEligible(const LocationMap& map)
{
    return map.kind == LocationMap::kRegisteredPicture && map.photos.Count() > 0;
}

bool HasMapWithoutCadRegistration(const Project& project)
{
    const QString folder = project.MapFolder();
    if (folder.isEmpty()) {
        return false;
    }
    for (const LocationMap& map : project.maps.maps) {
        if (map.kind != LocationMap::kRegisteredPicture) {
            continue;
        }
        const QString picture = map.ImageFileName();
        const QString registration =
            folder + QFileInfo(picture).completeBaseName() + fe::tables::CadRegistrationSuffix();
        if (QFileInfo(folder + picture).isFile() && !QFileInfo(registration).isFile()) {
            return true;
        }
    }
    return false;
}

QString CadOutputRunResult::FailureMessage() const
{
    QString text = QStringLiteral("CAD出力に失敗しました。\n\n") + reasonText;
    for (const QString& line : failures) {
        text += QStringLiteral("・") + line + QLatin1Char('\n');
    }
    return text;
}

CadOutputRunResult WriteTickedMapsDxf(const Project& project, const MarkStyle* markStyle)
{
    CadOutputRunResult result;
    CadMapOutput job(&project);
    job.versionCode = 6;
    if (markStyle) {
        job.markStyle = *markStyle;
    }
    for (int i = 0; i < project.maps.Count(); ++i) {
        const LocationMap& map = project.maps.maps[static_cast<size_t>(i)];
        if (!IsCadEligible(map)) {
            continue;
        }
        // An unticked map writes nothing and reports nothing: only drawings written count.
        if (job.WriteLocationMapDxf(i, map)) {
            ++result.written;
        } else if (!job.errorText.isEmpty()) {
            result.failures << map.name + QLatin1Char('\t') + job.errorText;
        }
        // Each call clears the reason; keep it once any map has given it.
        if (!job.reasonText.isEmpty()) {
            result.reasonText = job.reasonText;
        }
    }
    return result;
}
