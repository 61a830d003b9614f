#include "app/settings/TileSiteEdits.h"

#include "fe/File.h"
#include "fe/geo/ProxySettings.h"
#include "fe/geo/TileServer.h"

namespace app {
namespace {

bool HoldsSeparator(const QString& text)
{
    return text.contains(QChar(',')) || text.contains(QChar('"'));
}

bool IsUsableZoom(const std::optional<int>& zoom)
{
    return zoom && *zoom >= 0 && *zoom <= kMaxTileSettingZoom;
}

bool IsWritable(const TileSiteFields& fields)
{
    for (const QString* text : {&fields.title, &fields.baseUrl, &fields.path, &fields.extension}) {
        if (text->isEmpty() || HoldsSeparator(*text))
            return false;
    }
    return IsUsableZoom(fields.zoomLow) && IsUsableZoom(fields.zoomHigh);
}

}  // namespace

TileSiteFields TileSiteFields::Of(const fe::geo::TileSite& site)
{
    return {site.title, site.baseUrl, site.path, site.extension, site.ZoomLow(), site.ZoomHigh(), site.transparent};
}

QString StoredTileExtension(const QString& extension)
{
    return extension.startsWith('.') ? extension : QChar('.') + extension;
}

QString CheckTileSites(const TileSiteGroups& groups, const QString& cacheFolder)
{
    const fe::geo::ProxySettings noProxy;
    for (int i = 0; i < static_cast<int>(groups.size()); ++i) {
        const TileSiteFields& fields = groups[static_cast<size_t>(i)];
        bool accepted = IsWritable(fields);
        if (accepted) {
            fe::geo::TileSite site;
            site.title = fields.title;
            site.baseUrl = fields.baseUrl;
            site.path = fields.path;
            site.extension = fields.extension;
            site.zoomMin = *fields.zoomLow;
            site.zoomMax = *fields.zoomHigh;
            site.transparent = fields.transparent;
            fe::geo::TileServer scratch;
            accepted = scratch.Open(cacheFolder, site, noProxy);
            scratch.Close();
        }
        if (!accepted)
            return QStringLiteral("地図%1に無効な値が設定されています。").arg(i + 1);
    }
    return {};
}

bool WriteTileSiteList(const QString& path, const TileSiteGroups& groups)
{
    for (const TileSiteFields& fields : groups) {
        if (!IsWritable(fields))
            return false;
    }
    const auto quoted = [](const QString& text) { return QStringLiteral("\t\"%1\",\n").arg(text); };
    try {
        fe::FileW file;
        if (!file.open(path, 1))
            return false;
        for (const TileSiteFields& fields : groups) {
            file.writeLine(QStringLiteral("{\n"));
            file.writeLine(quoted(fields.title));
            file.writeLine(quoted(fields.baseUrl));
            file.writeLine(quoted(fields.path));
            file.writeLine(quoted(StoredTileExtension(fields.extension)));
            file.writeLine(QStringLiteral("\t%1,\n").arg(*fields.zoomLow));
            file.writeLine(QStringLiteral("\t%1,\n").arg(*fields.zoomHigh));
            file.writeLine(fields.transparent ? QStringLiteral("\ttrue\n") : QStringLiteral("\tfalse\n"));
            file.writeLine(QStringLiteral("}\n"));
        }
        return file.close();
    } catch (const fe::Failure&) {
        return false;
    }
}

}  // namespace app
