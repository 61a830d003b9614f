#include "fe/geo/ProxySettings.h"

#include <QSettings>
#include <QStringList>

namespace fe::geo {

namespace {

constexpr int kMaxAddressChars = 1023;  // the writer's buffer holds 1024 characters with the terminator
constexpr int kMaxSecretBytes = 1024;

const QString kOrganisation = QStringLiteral("Qrix");
const QString kApplication = QStringLiteral("Lumora");
const QString kGroup = QStringLiteral("ProxyServerInfo");

// A number stored as a DWORD; anything else counts as unreadable.
bool ReadNumber(const QSettings& store, const QString& name, quint32& number)
{
    const QVariant value = store.value(name);
    if (!value.isValid())
        return false;
    bool ok = false;
    number = value.toString().trimmed().toUInt(&ok);
    return ok;
}

// A secret stored as binary data (@ByteArray(...)); text and oversized values are unreadable.
bool ReadSecret(const QSettings& store, const QString& name, QString& text)
{
    const QVariant value = store.value(name);
    if (value.metaType().id() != QMetaType::QByteArray)
        return false;
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() > kMaxSecretBytes)
        return false;
    DecryptProxySecret(bytes, text);
    return true;
}

}  // namespace

void ProxySettings::SetEnabled(bool flag)
{
    enabled = flag;
    if (!flag) {
        address.clear();
        port.clear();
        userName.clear();
        password.clear();
    }
}

int ProxySettings::ReadFrom(QSettings& store)
{
    *this = ProxySettings();
    if (!store.childGroups().contains(kGroup))
        return kProxyNotFound;
    store.beginGroup(kGroup);
    quint32 number = 0;
    bool on = false;
    if (ReadNumber(store, QStringLiteral("Enabled"), number))
        on = number != 0;
    const QVariant addressValue = store.value(QStringLiteral("Address"));
    if (addressValue.metaType().id() == QMetaType::QString &&
        addressValue.toString().size() <= kMaxAddressChars)
        address = addressValue.toString();
    if (ReadNumber(store, QStringLiteral("Port"), number))
        port = QString::number(number);
    ReadSecret(store, QStringLiteral("UserName"), userName);
    ReadSecret(store, QStringLiteral("Password"), password);
    store.endGroup();
    SetEnabled(on);
    return 0;
}

int ProxySettings::ReadRegistry()
{
    QSettings system(QSettings::IniFormat, QSettings::SystemScope, kOrganisation, kApplication);
    if (ReadFrom(system) == 0)
        return 0;
    QSettings user(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kApplication);
    return ReadFrom(user);
}

}  // namespace fe::geo
