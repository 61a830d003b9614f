#include "reservoir/ReservoirTables.h"

const std::array<ReservoirTable, kReservoirTableCount>& ReservoirTables()
{
    static const std::array<ReservoirTable, kReservoirTableCount> tables = {{
        {QStringLiteral("表1"), QStringLiteral("堤体の変形に関する変状 (①断面変形率)"),
         QStringLiteral("当初堤体断面と現況堤体断面の重ね図"), QStringLiteral("#1-2(写真)")},
        {QStringLiteral("表2"), QStringLiteral("堤体の変形に関する変状 (②断面変形率以外)"), QString(),
         QStringLiteral("#2-2(写真)")},
        {QStringLiteral("表3"), QStringLiteral("堤体等からの漏水"), QStringLiteral("変状箇所の記録"),
         QStringLiteral("#3-3(写真)")},
        {QStringLiteral("表4-1"), QStringLiteral("洪水吐き(コンクリート構造)の変状"),
         QStringLiteral("変状の記録"), QStringLiteral("#4-1-2(写真)")},
        {QStringLiteral("表4-2"), QStringLiteral("洪水吐き(非コンクリート構造)の変状"),
         QStringLiteral("変状の記録"), QStringLiteral("#4-2-2(写真)")},
        {QStringLiteral("表5"), QStringLiteral("取水放流施設の変状"), QStringLiteral("変状の記録"),
         QStringLiteral("#5-2(写真)")},
        {QStringLiteral("表6"), QStringLiteral("貯水池の斜面及び地山法面の変状"), QString(),
         QStringLiteral("#6-2(写真)")},
        {QStringLiteral("表7"), QStringLiteral("ゲート等機械設備の変状"), QString(),
         QStringLiteral("#7-2(写真)")},
    }};
    return tables;
}

const ReservoirTable& ReservoirTableAt(int index)
{
    const auto& tables = ReservoirTables();
    return tables[index >= 0 && index < kReservoirTableCount ? static_cast<size_t>(index) : 0];
}
