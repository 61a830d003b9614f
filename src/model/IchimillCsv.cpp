#include "model/IchimillCsv.h"

#include <QFile>
#include <QStringList>
#include <cmath>
#include <cstdlib>

#include "fe/Cp932.h"
#include "fe/NumberText.h"
#include "fe/SimpleDate.h"
#include "fe/TextUtil.h"

namespace {

constexpr int kStatusCloseTrack = 34;

// Reads the run of digits at `pos` (at most nine, so the value fits), moving past it. False when
// there is no digit or the run is longer.
bool ReadDigits(QStringView text, qsizetype& pos, int& value)
{
    const qsizetype start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        if (pos - start >= 9)
            return false;
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
    }
    return pos > start;
}

void SkipRun(QStringView text, qsizetype& pos, char16_t c)
{
    while (pos < text.size() && text[pos] == c)
        ++pos;
}

// The field trimmed of double quotes at both ends.
QString Field(const QStringList& fields, int column)
{
    if (column < 0 || column >= fields.size())
        return {};
    return fe::TrimChar(fields[column], u'"');
}

enum class ModeVerdict
{
    Refused,
    Accepted
};

ModeVerdict JudgeMode(const QString& mode, const IchimillLoaderParams& params)
{
    const auto accept = [](std::uint8_t flag) { return flag ? ModeVerdict::Accepted : ModeVerdict::Refused; };
    if (mode == QStringLiteral("単独測位") || mode == QStringLiteral("Single"))
        return accept(params.acceptSingle);
    if (mode == QStringLiteral("DGPS"))
        return accept(params.acceptDgps);
    if (mode == QStringLiteral("RTK fix"))
        return accept(params.acceptRtkFix);
    if (mode == QStringLiteral("RTK float"))
        return accept(params.acceptRtkFloat);
    return ModeVerdict::Refused;  // "未測位", "Error" and anything unknown
}

// A finite number at the start of the field.
bool ReadNumber(const QString& field, double& value)
{
    return fe::ScanDouble(field, value) && std::isfinite(value);
}

// Appends the working track when it has points and starts it again (the terminal ID stays). False when
// that would make more than kMaxIchimillTracks tracks.
bool CloseTrack(LocusTrack& working, std::vector<LocusTrack>& out)
{
    if (working.points.empty())
        return true;
    if (out.size() >= static_cast<size_t>(kMaxIchimillTracks))
        return false;
    working.UpdateBounds();
    out.push_back(working);
    working.Reset();
    return true;
}

}  // namespace

bool IsCalendarMoment(const fe::SimpleDate& d, const fe::SimpleTime& t)
{
    return fe::IsCalendarDate(d.year, d.month, d.day) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

bool IsIchimillHeader(QStringView line, const IchimillLoaderParams& params)
{
    const QStringList fields = line.toString().split(u',');
    return fields.size() >= params.minimumColumns && fields.front() == QStringLiteral("\"端末ID\"");
}

bool ParseIchimillDateTime(QStringView text, fe::SimpleDate& date, fe::SimpleTime& time)
{
    qsizetype pos = 0;
    fe::SimpleDate d;
    fe::SimpleTime t;
    if (!ReadDigits(text, pos, d.year))
        return false;
    SkipRun(text, pos, u'-');
    if (!ReadDigits(text, pos, d.month))
        return false;
    SkipRun(text, pos, u'-');
    if (!ReadDigits(text, pos, d.day))
        return false;
    SkipRun(text, pos, u' ');
    if (!ReadDigits(text, pos, t.hour))
        return false;
    SkipRun(text, pos, u':');
    if (!ReadDigits(text, pos, t.minute))
        return false;
    SkipRun(text, pos, u':');
    if (!ReadDigits(text, pos, t.second))
        return false;
    if (!IsCalendarMoment(d, t))
        return false;
    date = d;
    time = t;
    return true;
}

IchimillLine ParseIchimillLine(QStringView line, const IchimillLoaderParams& params)
{
    IchimillLine result;
    const QStringList fields = line.toString().split(u',');
    if (fields.size() < params.minimumColumns)
        return result;
    if (JudgeMode(Field(fields, params.columnMode), params) == ModeVerdict::Refused)
        return result;

    int status = 0;
    if (fe::ScanInt(Field(fields, params.columnStatus), status) && status != 4 && status != 42) {
        result.closesTrack = status == kStatusCloseTrack;
        return result;
    }

    result.terminalId = Field(fields, params.columnTerminalId);
    LocusPoint& point = result.point;
    if (!ParseIchimillDateTime(Field(fields, params.columnDateTime), point.date, point.time))
        return result;
    double latitude = 0.0;
    double longitude = 0.0;
    if (!ReadNumber(Field(fields, params.columnLatitude), latitude) ||
        !ReadNumber(Field(fields, params.columnLongitude), longitude) ||
        !ReadNumber(Field(fields, params.columnThirdValue), point.elevation)) {
        return result;
    }
    if (std::fabs(latitude) > 90.0 || std::fabs(longitude) > 180.0)
        return result;
    point.position = fe::geo::GeoPoint(longitude, latitude);
    result.accepted = true;
    return result;
}

bool KeepTrackPoint(const LocusPoint& last, const LocusPoint& candidate, const IchimillLoaderParams& params)
{
    const double dLat = std::fabs(candidate.position.latitude - last.position.latitude);
    const double dLon = std::fabs(candidate.position.longitude - last.position.longitude);
    if (dLat >= params.maximumJump || dLon >= params.maximumJump)
        return true;
    if (dLat < params.minimumDistance && dLon < params.minimumDistance)
        return false;
    const std::int64_t seconds = fe::SecondsBetween(last.date, last.time, candidate.date, candidate.time);
    return seconds >= static_cast<std::int64_t>(params.thinningInterval);
}

IchimillReadResult ReadIchimillCsvBytes(const QByteArray& bytes, const IchimillLoaderParams& params,
                                        std::vector<LocusTrack>& tracks)
{
    IchimillReadResult result;
    if (bytes.size() > kMaxIchimillFileBytes) {
        result.status = IchimillReadStatus::TooLarge;
        return result;
    }
    if (bytes.contains('\0')) {
        result.status = IchimillReadStatus::NotText;
        return result;
    }

    std::vector<LocusTrack> added;
    LocusTrack working;
    std::int64_t keptPoints = 0;
    bool headerSeen = false;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArrayView raw(bytes.constData() + start, end - start);
        start = next;
        if (raw.endsWith('\r'))
            raw.chop(1);

        bool decoded = raw.size() <= kMaxIchimillLineBytes;
        const QString line = decoded ? fe::FromCp932(raw.toByteArray(), &decoded) : QString();
        if (!headerSeen) {
            if (!decoded || !IsIchimillHeader(line, params)) {
                result.status = IchimillReadStatus::NotTrackFile;
                return result;
            }
            headerSeen = true;
            continue;
        }
        if (raw.isEmpty())
            continue;
        const IchimillLine parsed = decoded ? ParseIchimillLine(line, params) : IchimillLine();
        if (parsed.closesTrack && !CloseTrack(working, added)) {
            result.status = IchimillReadStatus::TooManyTracks;
            return result;
        }
        if (!parsed.accepted) {
            ++result.linesRefused;
            continue;
        }
        if (working.terminalId.isEmpty()) {
            working.terminalId = parsed.terminalId;
        } else if (parsed.terminalId != working.terminalId) {
            continue;
        }
        if (!working.points.empty() && !KeepTrackPoint(working.points.back(), parsed.point, params))
            continue;
        if (++keptPoints > kMaxIchimillPoints) {
            result.status = IchimillReadStatus::TooManyPoints;
            return result;
        }
        working.points.push_back(parsed.point);
    }
    if (!headerSeen) {
        result.status = IchimillReadStatus::NotTrackFile;
        return result;
    }
    if (!CloseTrack(working, added)) {
        result.status = IchimillReadStatus::TooManyTracks;
        return result;
    }
    result.tracksAdded = static_cast<int>(added.size());
    tracks.insert(tracks.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    return result;
}

IchimillReadResult ReadIchimillCsv(const QString& path, const IchimillLoaderParams& params,
                                   std::vector<LocusTrack>& tracks)
{
    IchimillReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = IchimillReadStatus::CannotOpen;
        return result;
    }
    if (file.size() > kMaxIchimillFileBytes) {
        result.status = IchimillReadStatus::TooLarge;
        return result;
    }
    // Reads one byte past the bound, so that a file that grew since its size was taken is refused too.
    const QByteArray bytes = file.read(kMaxIchimillFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.status = IchimillReadStatus::CannotOpen;
        return result;
    }
    return ReadIchimillCsvBytes(bytes, params, tracks);
}
