#pragma once

#include <QDate>
#include <QTime>
#include <QString>
#include <optional>

namespace app {

// Reads a date written year first, whatever the locale: a four-digit year, the month and the day, each
// followed by one separator of '/', '-', '.', ':', '年', '月', blanks around them, and '日' after the day
// ("2023/04/05", "2023-4-5", "2023年4月5日", "2023:04:05"). Nothing else may stand in the text; a date
// that does not exist ("2023/02/30") gives none. Texts a locale reads month or day first ("4/5/2023")
// give none, so that every later reader, which takes the first number as the year, agrees.
std::optional<QDate> ParseYearFirstDate(const QString& text);

// "2023/04/05".
QString YearFirstText(const QDate& date);

// Reads a time of day written hour, minute and second, each but the hour of one or two digits and
// separated by ':' with blanks allowed around it ("09:05:30", "9:5:30"). Nothing else may stand in the
// text; a time that does not exist ("24:00:00", "12:60:00") gives none.
std::optional<QTime> ParseShotTime(const QString& text);

// What a date field keeps of a typed text: the text as typed when it reads as a date year first, else
// the empty text.
QString KeptDateText(const QString& typed);

}  // namespace app
