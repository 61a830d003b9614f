#include <gtest/gtest.h>

#include "fe/geo/TileSite.h"

using namespace fe::geo;

TEST(TileSites, BuiltInCatalogue)
{
    TileSiteVector sites;
    AppendBuiltInTileSite(sites, "/x", ".png", 1, 2, false, "old");
    BuildBuiltInTileSites(sites);
    ASSERT_EQ(sites.size(), 25u);
    const QString base = QString::fromUtf16(kBuiltInTileBaseUrl);
    EXPECT_TRUE(base.startsWith("https://"));
    EXPECT_FALSE(base.endsWith('/'));
    for (const TileSite& site : sites) {
        EXPECT_EQ(site.baseUrl, base);
        EXPECT_EQ(site.cacheFolderName, QString(site.path).replace('/', '_'));
    }
    EXPECT_EQ(sites[0].title, QString::fromUtf8("標準地図"));
    EXPECT_EQ(sites[13].cacheFolderName, "_xyz_seamlessphoto");
    EXPECT_EQ(sites[13].extension, ".jpg");
    EXPECT_EQ(sites[24].path, "/xyz/lakedata");
    EXPECT_TRUE(sites[24].transparent);
    EXPECT_FALSE(sites[1].transparent);
    DestroyTileSiteVector(sites);
    EXPECT_TRUE(sites.empty());
}

TEST(TileSites, BuildUrlRefusesZoomsOutsideTheRange)
{
    TileSiteVector sites;
    BuildBuiltInTileSites(sites);
    const QString base = QString::fromUtf16(kBuiltInTileBaseUrl);
    QString url;
    EXPECT_EQ(sites[2].BuildUrl(url, TileIndex(15, 1, 2)), 1);
    EXPECT_EQ(url, base + "/xyz/blank");
    EXPECT_EQ(sites[2].BuildUrl(url, TileIndex(14, 1, 2)), 0);
    EXPECT_EQ(url, base + "/xyz/blank/14/1/2.png");
    EXPECT_EQ(sites[0].BuildUrl(url, TileIndex(15, 29100, 12900)), 0);
    EXPECT_TRUE(url.endsWith("/xyz/std/15/29100/12900.png"));
}

TEST(TileSites, ZoomBoundsInEitherOrderAndCopiesKeepEveryField)
{
    TileSite site;
    site.SetBuiltIn("/a/b", ".jpg", 18, 2, true, "T");
    for (const auto& [zoom, inside] : {std::pair{10, true}, {2, true}, {18, true}, {1, false}, {19, false}})
        EXPECT_EQ(site.ZoomInRange(zoom), inside) << zoom;
    const TileSite copy = site;
    EXPECT_EQ(copy, site);
    EXPECT_EQ(copy.cacheFolderName, "_a_b");
    site.Clear();
    EXPECT_EQ(site, TileSite());
}
