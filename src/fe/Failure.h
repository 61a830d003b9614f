#pragma once

#include <QString>
#include <stdexcept>

namespace fe {

// The one exception type of the library. Library code reports a failure by throwing it with a
// constant text naming the operation ("File.readBin", "MapHelmart.Set", ...); the readers and
// writers of whole files catch it and turn it into their own result. The text is kept exactly.
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}

    const QString& Text() const { return m_text; }

private:
    QString m_text;
};

}  // namespace fe
