#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <map>

// Writes proxy settings the way the outside software does, for the tests.
namespace proxyfixture {

// AES-256-CBC with the program's key and IV: UTF-16LE text followed by `padding` bytes each holding
// the padding count (16 when the text fills whole blocks).
QByteArray Encrypt(const QString& text);
QByteArray EncryptRaw(const QByteArray& plain);

// Points the system and user scopes of INI settings into the folder and writes the group there
// (system scope) unless values is empty.
void WriteSystemSettings(const QString& folder, const std::map<QString, QVariant>& values);

}  // namespace proxyfixture
