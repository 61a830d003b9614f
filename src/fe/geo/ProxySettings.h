#pragma once

#include <QByteArray>
#include <QString>

class QSettings;

namespace fe::geo {

// The HTTP proxy of the tile downloads. Software outside this program stores it as an INI file
// (organisation "Qrix", application "Lumora", group "ProxyServerInfo") in the system configuration
// folders, or else in the user's; the user name and password are stored AES-256-CBC encrypted.
struct ProxySettings
{
    bool enabled = false;
    QString address;
    QString port;  // decimal digits, or empty
    QString userName;
    QString password;

    // false also empties the four texts: a disabled record means no proxy.
    void SetEnabled(bool flag);

    // Reads the stored settings: 0 when the group exists (a missing value just leaves its field
    // empty, and a missing password means no credentials); otherwise kProxyNotFound and an empty,
    // disabled record.
    int ReadRegistry();
    // The same from one settings store.
    int ReadFrom(QSettings& store);

    // The downloads go through the proxy exactly when this holds.
    bool UsesProxy() const { return !address.isEmpty(); }

    bool operator==(const ProxySettings&) const = default;
};

// The result of ReadRegistry when no settings are stored (the value of "file not found").
inline constexpr int kProxyNotFound = 2;

// Decrypts a stored secret: AES-256-CBC ciphertext, a multiple of 16 bytes; after decryption the
// last byte counts the padding bytes to drop and the rest is UTF-16LE text. Returns 0 with the text
// set, or -1 leaving the text unchanged (empty or misaligned data, padding longer than the data).
int DecryptProxySecret(const QByteArray& bytes, QString& text);

// The fixed key (32 bytes) and initialisation vector (16 bytes) shared with the software that
// writes the settings.
QByteArray ProxySecretKey();
QByteArray ProxySecretIv();

}  // namespace fe::geo
