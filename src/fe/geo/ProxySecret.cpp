#include <openssl/evp.h>

#include <memory>

#include "fe/geo/ProxySettings.h"

namespace fe::geo {

namespace {

// Built at run time from two seeds so that the key does not lie in the binary as one block.
QByteArray Derive(int count, unsigned seed, unsigned step)
{
    QByteArray bytes(count, '\0');
    unsigned value = seed;
    for (int i = 0; i < count; ++i) {
        value = value * 1103515245u + step;
        bytes[i] = static_cast<char>((value >> 16) & 0xFFu);
    }
    return bytes;
}

}  // namespace

QByteArray ProxySecretKey()
{
    return Derive(32, 0x4B76C2A1u, 12345u);
}

QByteArray ProxySecretIv()
{
    return Derive(16, 0x1F3D5B79u, 54321u);
}

int DecryptProxySecret(const QByteArray& bytes, QString& text)
{
    if (bytes.isEmpty() || bytes.size() % 16 != 0)
        return -1;
    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                                  EVP_CIPHER_CTX_free);
    if (!context)
        return -1;
    const QByteArray key = ProxySecretKey();
    const QByteArray iv = ProxySecretIv();
    if (EVP_DecryptInit_ex(context.get(), EVP_aes_256_cbc(), nullptr,
                           reinterpret_cast<const unsigned char*>(key.constData()),
                           reinterpret_cast<const unsigned char*>(iv.constData())) != 1)
        return -1;
    // The padding is removed by hand below: only its count byte is looked at.
    EVP_CIPHER_CTX_set_padding(context.get(), 0);
    QByteArray plain(bytes.size(), '\0');
    int written = 0;
    if (EVP_DecryptUpdate(context.get(), reinterpret_cast<unsigned char*>(plain.data()), &written,
                          reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size()) != 1)
        return -1;
    int tail = 0;
    if (EVP_DecryptFinal_ex(context.get(), reinterpret_cast<unsigned char*>(plain.data()) + written, &tail) !=
        1)
        return -1;
    plain.truncate(written + tail);
    if (plain.isEmpty())
        return -1;
    const int padding = static_cast<unsigned char>(plain.back());
    if (padding > plain.size())
        return -1;
    plain.chop(padding);
    const qsizetype characters = plain.size() / 2;
    QString result(characters, Qt::Uninitialized);
    for (qsizetype i = 0; i < characters; ++i)
        result[i] = QChar(static_cast<char16_t>(static_cast<unsigned char>(plain[2 * i]) |
                                                (static_cast<unsigned char>(plain[2 * i + 1]) << 8)));
    text = result;
    return 0;
}

}  // namespace fe::geo
