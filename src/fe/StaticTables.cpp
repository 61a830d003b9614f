#include "fe/StaticTables.h"

namespace fe::tables {

const QStringList& ZoneNumerals()
{
    static const QStringList numerals = [] {
        QStringList list{QStringLiteral("なし")};
        for (int zone = 1; zone <= 10; ++zone)
            list.append(QString(QChar(char16_t(0x215F + zone))));
        for (int zone = 11; zone <= 19; ++zone)
            list.append(QString(QChar(char16_t(0x2169))) + QChar(char16_t(0x215F + zone - 10)));
        return list;
    }();
    return numerals;
}

QString ZoneNumeral(int zone)
{
    const QStringList& numerals = ZoneNumerals();
    return zone >= 0 && zone < numerals.size() ? numerals[zone] : QString();
}

const QStringList& RecentFileKeys()
{
    static const QStringList keys = [] {
        QStringList list;
        for (int i = 1; i <= 10; ++i)
            list.append(QStringLiteral("File") + QString::number(i));
        return list;
    }();
    return keys;
}

const QStringList& PhotoListColumnTitles()
{
    static const QStringList titles{
        QStringLiteral("撮影\n写真\n番号"),
        QStringLiteral("位置図\n写真\n番号"),
        QStringLiteral("配置"),
        QStringLiteral("写真"),
        QStringLiteral("緯度 (°)\n経度 (°)\n角度 (°)"),
        QStringLiteral("撮影\n日時"),
        QStringLiteral("平面直角\n座標\nX (m)\nY (m)"),
        QStringLiteral("ファイル名"),
        QStringLiteral("元ファイル名"),
    };
    return titles;
}

const QStringList& LedgerColumnTitles()
{
    static const QStringList titles{
        QStringLiteral("位置図\n写真\n番号"),
        QStringLiteral("変更後\n番号"),
        QStringLiteral("写真"),
        QStringLiteral("撮影日"),
        QStringLiteral("撮影時刻"),
        QStringLiteral("コメント\n"),
    };
    return titles;
}

const QStringList& ReservoirColumnTitles()
{
    static const QStringList titles{
        QStringLiteral("位置図\n写真\n番号"), QStringLiteral("写真"),     QStringLiteral("撮影日"),
        QStringLiteral("撮影\n時刻"),         QStringLiteral("コメント"),
    };
    return titles;
}

QString DxfFilterLabel()
{
    return QStringLiteral("Auto CAD 2007 DXF(*.dxf)");
}

QString CadRegistrationSuffix()
{
    return QStringLiteral("CAD.mhc");
}

}  // namespace fe::tables
