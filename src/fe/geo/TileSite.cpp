#include "fe/geo/TileSite.h"

namespace fe::geo {

QString CacheFolderNameOf(const QString& path)
{
    QString name = path;
    name.replace(u'/', u'_');
    return name;
}

void TileSite::SetBuiltIn(const QString& layerPath, const QString& fileExtension, int lowZoom, int highZoom,
                          bool hasTransparency, const QString& layerTitle)
{
    baseUrl = QString::fromUtf16(kBuiltInTileBaseUrl);
    path = layerPath;
    extension = fileExtension;
    zoomMin = lowZoom;
    zoomMax = highZoom;
    transparent = hasTransparency;
    title = layerTitle;
    cacheFolderName = CacheFolderNameOf(layerPath);
}

int TileSite::BuildUrl(QString& url, const TileIndex& tile) const
{
    url = baseUrl + path;
    if (!ZoomInRange(tile.zoom))
        return 1;
    url += u'/' + QString::number(tile.zoom) + u'/' + QString::number(tile.x) + u'/' +
           QString::number(tile.y) + extension;
    return 0;
}

void AppendTileSite(TileSiteVector& sites, const TileSite& site)
{
    sites.push_back(site);
}

void AppendBuiltInTileSite(TileSiteVector& sites, const QString& path, const QString& extension, int zoomMin,
                           int zoomMax, bool transparent, const QString& title)
{
    TileSite site;
    site.SetBuiltIn(path, extension, zoomMin, zoomMax, transparent, title);
    sites.push_back(site);
}

namespace {

struct CatalogueEntry
{
    const char16_t* path;
    const char16_t* extension;
    int zoomMin;
    int zoomMax;
    bool transparent;
    const char16_t* title;
};

const CatalogueEntry kCatalogue[kBuiltInTileSiteCount] = {
    {u"/xyz/std", u".png", 2, 18, false, u"標準地図"},
    {u"/xyz/pale", u".png", 2, 18, false, u"淡色地図"},
    {u"/xyz/blank", u".png", 5, 14, false, u"白地図"},
    {u"/xyz/english", u".png", 5, 11, false, u"English"},
    {u"/xyz/lcm25k_2012", u".png", 10, 16, true, u"数値地図25000(土地条件)"},
    {u"/xyz/vbm", u".png", 15, 17, true, u"火山基本図"},
    {u"/xyz/vbmd_bm", u".png", 15, 18, true, u"火山基本図データ"},
    {u"/xyz/vbmd_colorrel", u".png", 12, 18, true, u"火山基本図データ(陰影段採図)"},
    {u"/xyz/vbmd_pm", u".png", 12, 18, false, u"火山基本図データ(写真)"},
    {u"/xyz/relief", u".png", 5, 15, false, u"色別標高図"},
    {u"/xyz/afm", u".png", 11, 16, true, u"活断層図"},
    {u"/xyz/hillshademap", u".png", 2, 16, true, u"陰影起伏図"},
    {u"/xyz/slopemap", u".png", 3, 15, true, u"傾斜量図"},
    {u"/xyz/seamlessphoto", u".jpg", 2, 18, false, u"写真"},
    {u"/xyz/ort", u".jpg", 14, 18, false, u"2007年～"},
    {u"/xyz/airphoto", u".png", 15, 18, true, u"2004年～(簡易空中写真)"},
    {u"/xyz/gazo4", u".jpg", 10, 17, false, u"国土画像情報(第四期:1988～1990)"},
    {u"/xyz/gazo3", u".jpg", 10, 17, false, u"国土画像情報(第三期:1984～1986)"},
    {u"/xyz/gazo2", u".jpg", 10, 17, false, u"国土画像情報(第二期:1979～1983)"},
    {u"/xyz/gazo1", u".jpg", 10, 17, false, u"国土画像情報(第一期:1974～1978)"},
    {u"/xyz/ort_old10", u".png", 10, 17, true, u"空中写真(1961～1964)"},
    {u"/xyz/ort_USA10", u".png", 10, 17, true, u"空中写真(1945～1950)"},
    {u"/xyz/ort_riku10", u".png", 13, 18, true, u"空中写真(1936年頃)"},
    {u"/xyz/lake2", u".png", 16, 17, true, u"湖沼図(平成3年以降)"},
    {u"/xyz/lakedata", u".png", 16, 17, true, u"湖沼データ"},
};

}  // namespace

void BuildBuiltInTileSites(TileSiteVector& sites)
{
    sites.clear();
    sites.reserve(kBuiltInTileSiteCount);
    for (const CatalogueEntry& entry : kCatalogue)
        AppendBuiltInTileSite(sites, QString::fromUtf16(entry.path), QString::fromUtf16(entry.extension),
                              entry.zoomMin, entry.zoomMax, entry.transparent,
                              QString::fromUtf16(entry.title));
}

void DestroyTileSiteVector(TileSiteVector& sites)
{
    TileSiteVector().swap(sites);
}

}  // namespace fe::geo
