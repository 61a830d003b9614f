#include "report/ReportGeometry.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

QSize FitSizeInBox(int width, int height, int boxWidth, int boxHeight)
{
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return QSize(0, 0);
    double w = 0, h = 0;
    if (static_cast<double>(boxWidth) / boxHeight >= static_cast<double>(width) / height) {
        w = std::trunc(static_cast<double>(width) * boxHeight / height);
        h = boxHeight;
    } else {
        w = boxWidth;
        h = std::trunc(static_cast<double>(height) * boxWidth / width);
    }
    return QSize(std::min(boxWidth, static_cast<int>(w)), std::min(boxHeight, static_cast<int>(h)));
}

QString FormatDms(double degrees)
{
    const long long hundredths = std::llround(std::fabs(degrees) * 360000.0);
    const long long d = hundredths / 360000;
    const long long m = hundredths / 6000 % 60;
    const long long s = hundredths % 6000;
    return QStringLiteral("%1%2°%3′%4.%5″")
        .arg(degrees < 0 && hundredths > 0 ? QStringLiteral("-") : QString())
        .arg(d)
        .arg(m)
        .arg(s / 100)
        .arg(s % 100, 2, 10, QChar('0'));
}

QString ReportShownFileName(const QString& fileName)
{
    return QFileInfo(fileName).suffix() == QLatin1String("xlsx") ? fileName
                                                                 : fileName + QStringLiteral(".xlsx");
}

QString ReportOutputPath(const QString& folder, const QString& fileName)
{
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith('/') && !path.endsWith('\\'))
        path += '/';
    return ReportShownFileName(path + fileName);
}
