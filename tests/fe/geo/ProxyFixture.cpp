#include "ProxyFixture.h"

#include <openssl/evp.h>

#include <memory>

#include "fe/geo/ProxySettings.h"

namespace proxyfixture {

QByteArray EncryptRaw(const QByteArray& plain)
{
    const QByteArray key = fe::geo::ProxySecretKey();
    const QByteArray iv = fe::geo::ProxySecretIv();
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                            EVP_CIPHER_CTX_free);
    EVP_EncryptInit_ex(context.get(), EVP_aes_256_cbc(), nullptr,
                       reinterpret_cast<const unsigned char*>(key.constData()),
                       reinterpret_cast<const unsigned char*>(iv.constData()));
    EVP_CIPHER_CTX_set_padding(context.get(), 0);
    QByteArray out(plain.size() + 16, '\0');
    int written = 0;
    int tail = 0;
    EVP_EncryptUpdate(context.get(), reinterpret_cast<unsigned char*>(out.data()), &written,
                      reinterpret_cast<const unsigned char*>(plain.constData()), plain.size());
    EVP_EncryptFinal_ex(context.get(), reinterpret_cast<unsigned char*>(out.data()) + written, &tail);
    out.truncate(written + tail);
    return out;
}

QByteArray Encrypt(const QString& text)
{
    QByteArray plain;
    for (const QChar c : text) {
        plain.append(static_cast<char>(c.unicode() & 0xFF));
        plain.append(static_cast<char>(c.unicode() >> 8));
    }
    const int padding = 16 - plain.size() % 16;
    plain.append(QByteArray(padding, static_cast<char>(padding)));
    return EncryptRaw(plain);
}

void WriteSystemSettings(const QString& folder, const std::map<QString, QVariant>& values)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, folder + "/system");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder + "/user");
    if (values.empty())
        return;
    QSettings store(QSettings::IniFormat, QSettings::SystemScope, "Qrix", "Lumora");
    store.beginGroup("ProxyServerInfo");
    for (const auto& [name, value] : values)
        store.setValue(name, value);
    store.endGroup();
    store.sync();
}

}  // namespace proxyfixture
