#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "LocalServers.h"
#include "ProxyFixture.h"
#include "TempFolder.h"
#include "fe/geo/TileServer.h"

using namespace fe::geo;
using namespace localserver;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsPlaceholderTile(TileServer& server, const TileIndex& tile)
{
    return server.GetTile(tile) == &server.Placeholders().Get(TilePlaceholder::DownloadError);
}

}  // namespace

// Tiles go through a local proxy that asks for basic authentication, with the credentials stored
// encrypted in the settings; without credentials the worker fails the download and raises one
// request for them, and the answer is used by later downloads.
TEST(ProxyDownload, StoredCredentialsThenAskingOnce)
{
    TempFolder temp;
    const QString served = temp.file("www");
    ASSERT_TRUE(WriteFile(served + "/xyz/std/6/10/20.png", SolidPng(qRgb(1, 150, 2))));
    ASSERT_TRUE(WriteFile(served + "/xyz/std/6/11/20.png", SolidPng(qRgb(1, 150, 3))));
    ASSERT_TRUE(WriteFile(served + "/xyz/std/6/12/20.png", SolidPng(qRgb(1, 150, 4))));
    const auto http = StartFileServer(served);
    ASSERT_TRUE(http->IsUp());
    const auto proxyServer = StartAuthProxy(temp.path(), "surveyor", "Kouji2024");
    ASSERT_TRUE(proxyServer && proxyServer->IsUp());

    proxyfixture::WriteSystemSettings(temp.file("settings"),
                                      {{"Enabled", 1},
                                       {"Address", "127.0.0.1"},
                                       {"Port", proxyServer->Port()},
                                       {"UserName", proxyfixture::Encrypt("surveyor")},
                                       {"Password", proxyfixture::Encrypt("Kouji2024")}});
    ProxySettings proxy;
    ASSERT_EQ(proxy.ReadRegistry(), 0);
    EXPECT_EQ(proxy.userName, "surveyor");

    TileSite site;
    site.SetBuiltIn("/xyz/std", ".png", 2, 18, false, "local");
    site.baseUrl = http->BaseUrl();
    const QString cache = temp.file("geocache");

    TileServer server;
    ASSERT_TRUE(server.Open(cache, site, proxy));
    EXPECT_EQ(server.Connection(), kOnlineProxy);
    server.RequestTile(TileIndex(6, 10, 20));
    ASSERT_TRUE(server.Start());
    EXPECT_TRUE(WaitFor([&] { return server.TakeNewTileFlag(); }));
    EXPECT_TRUE(QFileInfo::exists(cache + "/_xyz_std/6/10/20.png"));
    EXPECT_TRUE(ReadAll(temp.file("proxy.log")).contains("/xyz/std/6/10/20.png"));

    // The same proxy without credentials: the download fails and one request for them is raised.
    ProxySettings anonymous = proxy;
    anonymous.userName.clear();
    anonymous.password.clear();
    ASSERT_TRUE(server.Open(cache, site, anonymous));  // stops the worker
    server.SetMissingTiles(MissingTiles::FetchedNow);
    EXPECT_TRUE(IsPlaceholderTile(server, TileIndex(6, 11, 20)));
    EXPECT_FALSE(QFileInfo::exists(cache + "/_xyz_std/6/11/20.png"));
    EXPECT_TRUE(server.TakeProxyCredentialRequest());
    EXPECT_TRUE(IsPlaceholderTile(server, TileIndex(6, 12, 20)));
    EXPECT_FALSE(server.TakeProxyCredentialRequest());  // asked once per run

    server.SetProxyCredentials("surveyor", "Kouji2024");
    const QImage* picture = server.GetTile(TileIndex(6, 11, 20));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixel(0, 0), qRgb(1, 150, 3));
}
