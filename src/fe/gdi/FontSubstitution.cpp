#include "fe/gdi/FontSubstitution.h"

#include <QFont>
#include <QStringList>

namespace fe::gdi {

void InstallFontSubstitutions()
{
    const QStringList gothic{QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
    const QStringList pgothic{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    const QStringList mincho{QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho")};
    const QStringList pmincho{QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")};
    const struct {
        const char16_t* face;
        const QStringList& to;
    } table[] = {
        {u"ＭＳ ゴシック", gothic},   {u"MS Gothic", gothic},     {u"ＭＳ Ｐゴシック", pgothic},
        {u"MS PGothic", pgothic},      {u"ＭＳ 明朝", mincho},     {u"MS Mincho", mincho},
        {u"ＭＳ Ｐ明朝", pmincho},     {u"MS PMincho", pmincho},   {u"メイリオ", pgothic},
        {u"Meiryo", pgothic},          {u"Meiryo UI", pgothic},    {u"ＭＳ ＵＩ ゴシック", pgothic},
        {u"MS UI Gothic", pgothic},    {u"MS Shell Dlg", pgothic}, {u"MS Shell Dlg 2", pgothic},
        {u"游ゴシック", pgothic},      {u"Yu Gothic", pgothic},    {u"Yu Gothic UI", pgothic},
    };
    for (const auto& row : table)
        QFont::insertSubstitutions(QString::fromUtf16(row.face), row.to);
}

}  // namespace fe::gdi
