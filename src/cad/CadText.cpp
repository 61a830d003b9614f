#include "cad/CadText.h"

#include "fe/Cp932.h"

namespace fe::cad {
namespace {

char16_t FoldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

}  // namespace

QString Cp932ToWide(std::string_view bytes)
{
    return fe::FromCp932(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

QString HandleText(int handle)
{
    return QString::number(static_cast<unsigned>(handle), 16).toUpper();
}

bool EqualsIgnoreCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i].unicode()) != FoldAscii(b[i].unicode()))
            return false;
    }
    return true;
}

}  // namespace fe::cad
