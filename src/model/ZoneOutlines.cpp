#include "model/ZoneOutlines.h"

#include <QFile>
#include <cmath>


std::vector<ZoneOutline> ParseZoneOutlines(QStringView text)
{
    std::vector<ZoneOutline> outlines;
    ZoneOutline current;
    int points = 0;
    const auto finish = [&] {
        if (!current.empty()) {
            outlines.push_back(std::move(current));
        }
        current.clear();
    };
    for (QStringView line : text.split(u'\n')) {
        if (static_cast<int>(outlines.size()) >= kMaxZoneOutlines || points >= kMaxZoneOutlinePoints) {
            break;
        }
        QList<QStringView> pieces;
        for (QStringView piece : line.split(u',')) {
            piece = piece.trimmed();
            if (!piece.isEmpty()) {
                pieces.append(piece);
            }
        }
        if (pieces.isEmpty()) {
            continue;
        }
        if (pieces.front() == u"KEI") {
            finish();
            continue;
        }
        if (pieces.size() < 2) {
            continue;
        }
        bool xOk = false;
        bool yOk = false;
        const double x = pieces[0].toDouble(&xOk);
        const double y = pieces[1].toDouble(&yOk);
        // "nan" and "inf" read as numbers, but no outline passes through them.
        if (!xOk || !yOk || !std::isfinite(x) || !std::isfinite(500.0 - y)) {
            continue;
        }
        current.emplace_back(x, 500.0 - y);
        ++points;
    }
    if (static_cast<int>(outlines.size()) < kMaxZoneOutlines) {
        finish();
    }
    return outlines;
}

std::vector<ZoneOutline> ReadZoneOutlines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxZoneOutlineFileBytes) {
        return {};
    }
    const QByteArray bytes = file.read(kMaxZoneOutlineFileBytes + 1);
    if (bytes.size() > kMaxZoneOutlineFileBytes) {
        return {};
    }
    // The file holds digits, commas and "KEI" only.
    return ParseZoneOutlines(QString::fromLatin1(bytes));
}

int ZoneAtPoint(const std::vector<ZoneOutline>& outlines, const Point2& point)
{
    for (size_t k = 0; k < outlines.size(); ++k) {
        const ZoneOutline& outline = outlines[k];
        int crossings = 0;
        for (size_t i = 0; i + 1 < outline.size(); ++i) {
            const Point2& a = outline[i];
            const Point2& b = outline[i + 1];
            const bool spans = (point.y >= a.y && point.y < b.y) || (point.y < a.y && point.y >= b.y);
            if (spans && point.x < (point.y - a.y) / (b.y - a.y) * (b.x - a.x) + a.x) {
                ++crossings;
            }
        }
        if (crossings % 2 == 1) {
            return static_cast<int>(k) + 1;
        }
    }
    return 0;
}
