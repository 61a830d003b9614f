#include <gtest/gtest.h>

#include "ProxyFixture.h"
#include "TempFolder.h"
#include "fe/geo/ProxySettings.h"

using namespace fe::geo;
using proxyfixture::Encrypt;
using proxyfixture::EncryptRaw;
using proxyfixture::WriteSystemSettings;

TEST(ProxySecret, DecryptsPaddedUtf16AndRefusesMalformedData)
{
    QString text = "unchanged";
    const QByteArray eightCharacters = Encrypt("abcdefgh");
    ASSERT_EQ(eightCharacters.size(), 32);  // 16 bytes of text, a whole block of padding 16
    EXPECT_EQ(DecryptProxySecret(eightCharacters, text), 0);
    EXPECT_EQ(text, "abcdefgh");
    EXPECT_EQ(DecryptProxySecret(Encrypt(QString::fromUtf8("現場パス")), text), 0);
    EXPECT_EQ(text, QString::fromUtf8("現場パス"));

    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case refused[] = {
        {"empty", QByteArray()},
        {"17 bytes", QByteArray(17, 'x')},
        {"padding beyond the data", EncryptRaw(QByteArray(15, 'a') + QByteArray(1, char(200)))},
    };
    for (const Case& c : refused) {
        text = "unchanged";
        EXPECT_EQ(DecryptProxySecret(c.bytes, text), -1) << c.name;
        EXPECT_EQ(text, "unchanged") << c.name;
    }
    // An odd byte left after the padding is dropped.
    EXPECT_EQ(DecryptProxySecret(EncryptRaw(QByteArray("a\0b\0c", 5) + QByteArray(11, char(11))), text), 0);
    EXPECT_EQ(text, "ab");
}

TEST(ProxySettingsStore, ReadsTheStoredGroup)
{
    TempFolder temp;
    struct Case
    {
        const char* name;
        std::map<QString, QVariant> values;
        int result;
        ProxySettings expected;
    };
    const ProxySettings none;
    ProxySettings full;
    full.enabled = true;
    full.address = "proxy.example.local";
    full.port = "8080";
    full.userName = "abcdefgh";
    full.password = "pw";
    ProxySettings noPort = full;
    noPort.port.clear();
    ProxySettings noPassword = full;
    noPassword.password.clear();
    const Case cases[] = {
        {"nothing stored", {}, kProxyNotFound, none},
        {"complete",
         {{"Enabled", 1},
          {"Address", "proxy.example.local"},
          {"Port", 8080},
          {"UserName", Encrypt("abcdefgh")},
          {"Password", Encrypt("pw")}},
         0,
         full},
        {"disabled with an address",
         {{"Enabled", 0}, {"Address", "proxy.example.local"}, {"Port", 8080}, {"Password", Encrypt("pw")}},
         0,
         none},
        {"port absent",
         {{"Enabled", 1},
          {"Address", "proxy.example.local"},
          {"UserName", Encrypt("abcdefgh")},
          {"Password", Encrypt("pw")}},
         0,
         noPort},
        // A proxy without a stored password is still used; there are just no credentials.
        {"password absent",
         {{"Enabled", 1},
          {"Address", "proxy.example.local"},
          {"Port", 8080},
          {"UserName", Encrypt("abcdefgh")}},
         0,
         noPassword},
        {"secret stored as text is not read",
         {{"Enabled", 1},
          {"Address", "proxy.example.local"},
          {"Port", 8080},
          {"UserName", "abcdefgh"},
          {"Password", Encrypt("pw")}},
         0,
         [&] {
             ProxySettings p = full;
             p.userName.clear();
             return p;
         }()},
    };
    for (const Case& c : cases) {
        TempFolder store;
        WriteSystemSettings(store.path(), c.values);
        ProxySettings read;
        read.address = "left over";
        EXPECT_EQ(read.ReadRegistry(), c.result) << c.name;
        EXPECT_EQ(read, c.expected) << c.name;
    }
}

TEST(ProxySettingsStore, SetEnabledFalseEmptiesEveryText)
{
    ProxySettings proxy{true, "a", "1", "u", "p"};
    proxy.SetEnabled(false);
    EXPECT_EQ(proxy, ProxySettings());
    EXPECT_FALSE(proxy.UsesProxy());
}
