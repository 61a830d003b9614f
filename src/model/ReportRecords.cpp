#include "model/ReportRecords.h"

ReportHeader ReportHeader::DefaultLabels()
{
    ReportHeader header;
    header.texts = {QString(), QStringLiteral("所属"), QStringLiteral("報告者"), QStringLiteral("発生日時"),
                    QStringLiteral("報告日付")};
    return header;
}

ReportHeader ReportHeader::DefaultValues()
{
    return ReportHeader();
}
