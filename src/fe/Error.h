#pragma once

#include <QString>
#include <exception>
#include <string>

namespace fe {

// A failure of the foundation library that carries the exact text naming the failed operation
// ("File.readBin", "File.writeBin", ...). Readers and writers of whole files catch it and turn it
// into their own result.
class Error : public std::exception
{
public:
    explicit Error(const QString& text) : m_text(text), m_utf8(text.toStdString()) {}
    explicit Error(const char* text) : Error(QString::fromUtf8(text)) {}

    const QString& text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_text;
    std::string m_utf8;
};

}  // namespace fe
