#include "model/AppSettings.h"

#include "fe/AppFolders.h"
#include "fe/File.h"
#include "fe/geo/PlaneRectConverter.h"

namespace {

void WriteSite(fe::FileWB& file, const fe::geo::TileSite& site)
{
    file << site.baseUrl << site.path << site.extension;
    file.writeBinInt32(site.zoomMin).writeBinInt32(site.zoomMax).writeBinByte(site.transparent ? 1 : 0);
    file << site.title;
}

// Reads the current site over the default one; a zoom bound that no tile key holds keeps the
// default's, since the drawer and the overlays count levels from these bounds.
void ReadSite(fe::FileRB& file, fe::geo::TileSite& site)
{
    std::int32_t zoomMin = 0, zoomMax = 0;
    std::uint8_t transparent = 0;
    file >> site.baseUrl >> site.path >> site.extension;
    file.readBinInt32(zoomMin).readBinInt32(zoomMax).readBinByte(transparent);
    file >> site.title;
    if (fe::geo::TileSite::IsStorableZoom(zoomMin))
        site.zoomMin = zoomMin;
    if (fe::geo::TileSite::IsStorableZoom(zoomMax))
        site.zoomMax = zoomMax;
    site.transparent = transparent != 0;
    site.cacheFolderName = fe::geo::CacheFolderNameOf(site.path);
}

}  // namespace

AppSettings::AppSettings()
{
    tileSites = BuiltInBaseMaps();
    currentTileSite = tileSites.front();
    fileNameTokens = {QStringLiteral("{ファイル名}"), QStringLiteral("{元ファイル名}")};
    fixedItemNames.SetDefaults();
    ichimillParams.SetDefaults();
}

AppSettings AppSettings::Defaults()
{
    AppSettings settings;
    settings.SetDefaults();
    return settings;
}

void AppSettings::SetDefaults()
{
    *this = AppSettings();
    tileCacheFolder = fe::GetWritableFolder() + QStringLiteral("geocache");
    MergeTileSiteList();
}

bool AppSettings::Save(const QString& path) const
{
    fe::FileWB file;
    if (!file.open(path))
        return false;
    try {
        file.writeBinInt32(kFileVersion).writeBinInt32(planeZone);
        WriteSite(file, currentTileSite);
        file << lastProjectPath << lastMapFolder << lastPhotoFolder;
        file.writeBinInt32(static_cast<std::int32_t>(fileNameTokens.size()));
        for (const QString& token : fileNameTokens)
            file << token;
        fixedItemNames.Write(file);
        if (!ichimillParams.Write(file))
            return false;
        file << lastTrackFolder << lastSurveyPictureFolder;
    } catch (const fe::Failure&) {
        return false;
    }
    return file.close();
}

bool AppSettings::Load(const QString& path)
{
    SetDefaults();
    fe::FileRB file;
    if (!file.open(path))
        return false;
    try {
        std::int32_t version = 0;
        file.readBinInt32(version);
        if (version > kFileVersion)
            return false;
        std::int32_t zone = 0;
        file.readBinInt32(zone);
        if (zone >= 1 && zone <= fe::geo::PlaneRectConverter::kZoneCount)
            planeZone = zone;  // any other value keeps the default
        ReadSite(file, currentTileSite);
        file >> lastProjectPath >> lastMapFolder >> lastPhotoFolder;
        std::int32_t tokens = 0;
        file.readBinInt32(tokens);
        if (tokens < 0 || tokens > kMaxStoredTokens)
            throw fe::Failure("File.readBin");
        fileNameTokens.clear();
        for (std::int32_t i = 0; i < tokens; ++i) {
            QString token;
            file >> token;
            fileNameTokens.append(token);
        }
        std::int32_t ignored = 0;
        if (version < 2)
            file.readBinInt32(ignored);
        if (!fixedItemNames.Read(file))
            throw fe::Failure("File.readBin");
        if (version < 2)
            file.readBinInt32(ignored);
        if (version > 2) {
            if (!ichimillParams.Read(file))
                throw fe::Failure("File.readBin");
            file >> lastTrackFolder;
        }
        if (version > 3)
            file >> lastSurveyPictureFolder;
    } catch (const fe::Failure&) {
        SetDefaults();
        return false;
    }
    MergeTileSiteList();
    return true;
}

QString AppSettings::FilePath()
{
    return fe::GetWritableFolder() + QStringLiteral("setting.bin");
}
