#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

#include "model/IchimillLoaderParams.h"
#include "model/LocusTrack.h"

// The track files of the ichimill positioning service: CSV text in code page 932 whatever the user's
// locale, one record per line, fields split at every comma (no quoting) and trimmed of double quotes.
// The first line is the header; its first field is "端末ID" written with its quotes. Numbers are read
// in the C convention and times exactly as written (a zone suffix such as "+09:00" is ignored).

// The bounds a track file is read within; larger files or longer lines are refused.
inline constexpr std::int64_t kMaxIchimillFileBytes = 256ll * 1024 * 1024;
inline constexpr int kMaxIchimillLineBytes = 7999;
inline constexpr std::int64_t kMaxIchimillPoints = 2'000'000;  // kept points of one read
inline constexpr int kMaxIchimillTracks = 10'000;              // tracks of one read

// What one line of a track file gave.
struct IchimillLine
{
    bool accepted = false;     // a point of the track
    bool closesTrack = false;  // status 34 with an accepted mode: the working track ends here
    QString terminalId;
    LocusPoint point;
};

// A real calendar date of the years 1 to 9999 and a time of day within 00:00:00 to 23:59:59.
bool IsCalendarMoment(const fe::SimpleDate& date, const fe::SimpleTime& time);

// The header line: at least the minimum field count, and the first field exactly "端末ID" in quotes.
bool IsIchimillHeader(QStringView line, const IchimillLoaderParams& params);

// One data line, tested in order (the first failure refuses it): the field count; the positioning mode
// ("未測位" and "Error" refused, the others kept only when their accept flag is on); the status (none,
// 4 or 42 pass, 34 refuses and ends the working track, any other number refuses); the date-time; the
// latitude, longitude and elevation. A date or time outside the calendar, a number that is not finite
// or a position off the globe refuses the line.
IchimillLine ParseIchimillLine(QStringView line, const IchimillLoaderParams& params);

// "year-month-day hour:minute:second" with optional runs of '-' and ':' between the numbers and any
// blanks between date and time; what follows the seconds is ignored. True only for a real calendar
// date and a time of day within 00:00:00 to 23:59:59.
bool ParseIchimillDateTime(QStringView text, fe::SimpleDate& date, fe::SimpleTime& time);

// Whether a candidate point is kept after the last kept point: a jump of the maximum distance or more
// in latitude or longitude always is; a move below the minimum distance in both never is; otherwise
// it is kept when the interval has passed since the last kept point.
bool KeepTrackPoint(const LocusPoint& last, const LocusPoint& candidate, const IchimillLoaderParams& params);

enum class IchimillReadStatus
{
    Read,           // the file was read; tracksAdded may be 0
    CannotOpen,     // missing or unreadable
    TooLarge,       // larger than kMaxIchimillFileBytes
    NotText,        // holds NUL bytes
    NotTrackFile,   // empty, or its first line is not the ichimill header
    TooManyPoints,  // more than kMaxIchimillPoints points would be kept
    TooManyTracks,  // more than kMaxIchimillTracks tracks would be made
};

struct IchimillReadResult
{
    IchimillReadStatus status = IchimillReadStatus::Read;
    int tracksAdded = 0;
    int linesRefused = 0;  // data lines that gave no point (status 34 lines included)

    bool Ok() const { return status == IchimillReadStatus::Read; }
};

// Reads the bytes of a track file into thinned tracks of one terminal, the one of the first accepted
// line; lines of other terminals are ignored. A status-34 line of any terminal ends the working track,
// as does the end of the file; each ended track with points is appended to `tracks` with its box. A
// last line without a line end is read too. On any failure `tracks` is left as it was.
IchimillReadResult ReadIchimillCsvBytes(const QByteArray& bytes, const IchimillLoaderParams& params,
                                        std::vector<LocusTrack>& tracks);
// The same from a file.
IchimillReadResult ReadIchimillCsv(const QString& path, const IchimillLoaderParams& params,
                                   std::vector<LocusTrack>& tracks);
