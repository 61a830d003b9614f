#include "report/PhotoSetReport.h"

#include "fe/PumpMessages.h"

namespace {

constexpr int kCardsPerBand = 4;
constexpr int kBandsPerPage = 5;
constexpr int kRowsPerCard = 6;

QString CardColumn(int column)
{
    return QString(QChar('B' + column));
}

}  // namespace

PhotoSetReport::PhotoSetReport(const Project* project, ReportPhotoSource* source, std::vector<PhotoRecord> photos)
    : ListReportWriter(project, source, 800, 500), m_photos(std::move(photos))
{
}

int PhotoSetReport::WritePhotoSet()
{
    return Write(BookName(), static_cast<int>(m_photos.size()));
}

void PhotoSetReport::WriteCard(int n, int band, int column)
{
    const PhotoRecord& photo = m_photos[static_cast<size_t>(n)];
    const QString c = CardColumn(column);
    const int top = kRowsPerCard * band - 5;
    const QString number = c + QString::number(top);
    PosHorz(number, 22);
    PutCellNumber(number, n + 1, kUnset);
    SetRowHeight(top + 1, 85);
    PutLatLonCell(c + QString::number(top + 2), false, photo.position.latitude);
    PutLatLonCell(c + QString::number(top + 3), false, photo.position.longitude);
    QString shot = photo.date;
    if (!photo.date.isEmpty() && !photo.time.isEmpty())
        shot += ' ' + photo.time;
    else if (photo.date.isEmpty())
        shot = photo.time;
    PutCellText(c + QString::number(top + 4), shot);
    PutCellText(c + QString::number(top + 5), PhotoFileName(photo.id));
}

void PhotoSetReport::FinishBand(int band, bool rowHeights)
{
    const int r1 = kRowsPerCard * band - 5, r6 = kRowsPerCard * band;
    const QString whole = QStringLiteral("A%1:E%2").arg(r1).arg(r6);
    PosVert(whole, 2);
    PosHorz(QStringLiteral("A%1:A%2").arg(r1).arg(r6), 22);
    PosHorz(QStringLiteral("B%1:F%2").arg(r6 - 1).arg(r6), 22);
    Box(whole, 0x1000000, 1);
    Box(whole, 0x2000000, 0);
    const char* const labels[kRowsPerCard] = {"No", "写真", "緯度", "経度", "撮影日時", "ファイル名"};
    for (int i = 0; i < kRowsPerCard; ++i) {
        PutCellText(QStringLiteral("A%1").arg(r1 + i), QString::fromUtf8(labels[i]));
        if (rowHeights && i != 1)
            SetRowHeight(r1 + i, 15.5);
    }
}

int PhotoSetReport::WriteSheet()
{
    if (!m_project)
        return kListFailed;
    BeginSheet(BookName(), 2);
    SetColumnWidths({{"A1", 10}, {"B1:F1", 18.5}});
    (void)Report()->page.PageStart(1, -1);
    PosHorz(QStringLiteral("A1:F1"), 22);
    PosHorz(QStringLiteral("A1:A6"), 22);

    // Bands count within the page block (1 to 5), columns B to E (0 to 3).
    int band = 1, column = 0;
    bool pageClosed = false;
    const int count = static_cast<int>(m_photos.size());
    for (int n = 0; n < count; ++n) {
        if (StopAsked())
            return Cancel();
        if (pageClosed) {
            (void)Report()->page.PageStart(1, -1);
            band = 1;
            column = 0;
            pageClosed = false;
        }
        WriteCard(n, band, column);
        if (StopAsked())
            return Cancel();
        if (column < kCardsPerBand - 1) {
            ++column;
            continue;
        }
        FinishBand(band, true);
        ++band;
        column = 0;
        if (band > kBandsPerPage) {
            (void)Report()->page.PageNext(1);
            pageClosed = true;
        }
    }
    if (!pageClosed) {
        // A band of one to three cards is framed and labelled; its rows keep their heights.
        if (column > 0)
            FinishBand(band, false);
        (void)Report()->page.PageNext(1);
    }

    // Pictures on the whole sheet: the card of photo n lies in band n / 4, its picture in row 6·band + 2.
    for (int n = 0; n < count; ++n) {
        if (StopAsked())
            return Cancel();
        const QString cell = CardColumn(n % kCardsPerBand) + QString::number(kRowsPerCard * (n / kCardsPerBand) + 2);
        (void)InsertPhotoPicture(m_photos[static_cast<size_t>(n)].id, cell, kListPictureOffset, kListPictureOffset,
                                 39.2, 28.8);
        if (StopAsked())
            return Cancel();
        StepDone();
    }
    return Finish();
}
