#include "report/LedgerListReport.h"

#include "fe/PumpMessages.h"
#include "model/Project.h"

LedgerListReport::LedgerListReport(const Project* project, ReportPhotoSource* photos, int mapIndex)
    : ListReportWriter(project, photos, 600, 300), m_mapIndex(mapIndex)
{
}

int LedgerListReport::WriteLedgerList()
{
    int steps = 1;
    if (m_project && m_project->maps.IsValidIndex(m_mapIndex))
        steps = m_project->maps.maps[static_cast<size_t>(m_mapIndex)].photos.Count();
    return Write(CheckSheetName(), steps);
}

void LedgerListReport::FormatListPage(int lastRow)
{
    const QString r = QString::number(lastRow);
    PosVert("A1:D" + r, 2);
    // Comments sit at the top of their cells; on the first page row 1 is the header, which stays centred.
    const int firstComment = OnFirstListPage() ? 2 : 1;
    if (lastRow >= firstComment)
        PosVert(QStringLiteral("E%1:E").arg(firstComment) + r, 1);
    PosVert("F1:J" + r, 2);
    PosHorz("C1:D" + r, 22);
    Wrap("E1:J" + r);
    FontPoint("A1:J" + r, 9.0);
    Box("A1:J" + r, 0x1000000, 1);
}

int LedgerListReport::WriteSheet()
{
    if (!m_project || !m_project->maps.IsValidIndex(m_mapIndex))
        return kListFailed;
    const PlacedPhotoList& entries = m_project->maps.maps[static_cast<size_t>(m_mapIndex)].photos;
    const PhotoList& photos = m_project->photos;

    BeginSheet(SheetName(), 0);
    SetColumnWidths({{"A1", 11}, {"B1", 18}, {"C1", 9}, {"D1", 8}, {"E1", 34}, {"F1:G1", 9}, {"H1", 8},
                     {"I1:J1", 11}});
    (void)Report()->page.PageStart(1, -1);
    SetRowHeight(1, 13.5);
    const char* const headers[] = {"位置図写真番号", "写真", "撮影日", "撮影時刻", "コメント",
                                   "緯度",           "経度", "撮影角度", "ファイル名", "元ファイル名"};
    for (int i = 0; i < 10; ++i)
        PutCellText(QString(QChar('A' + i)) + '1', QString::fromUtf8(headers[i]));
    PosHorz(QStringLiteral("A1:J1"), 22);
    FontPoint(QStringLiteral("A1:J1"), 9.0);

    for (int i = 0; i < entries.Count(); ++i) {
        if (StopAsked())
            return Cancel();
        const PlacedPhoto& entry = entries.entries[static_cast<size_t>(i)];
        const PhotoRecord* photo = photos.Find(entry.photoId);
        const int row = NextListRow();
        const QString r = QString::number(row);
        SetRowHeight(row, 74);
        PutCellText("A" + r, entries.NumberText(i));
        if (photo) {
            PutCellText("C" + r, photo->date.isEmpty() ? QStringLiteral("-") : photo->date);
            PutCellText("D" + r, photo->time.isEmpty() ? QStringLiteral("-") : photo->time);
            PutCellText("E" + r, entry.comment);
            PutLatLonCell("F" + r, false, photo->position.latitude);
            PutLatLonCell("G" + r, false, photo->position.longitude);
            PutNumberFormat("H" + r, "###0.0");
            PutCellNumber("H" + r, photo->direction, kUnset);
            PutCellText("I" + r, PhotoFileName(photo->id));
            PutCellText("J" + r, photo->sourceName);
        }
        PumpMessages();
        EndListRow();
    }
    FinishListPages();

    // Pictures on the whole sheet: entry k (from 1) sits in row k + 1.
    for (int i = 0; i < entries.Count(); ++i) {
        if (StopAsked())
            return Cancel();
        const std::int32_t id = entries.entries[static_cast<size_t>(i)].photoId;
        if (photos.Find(id))
            (void)InsertPhotoPicture(id, QStringLiteral("B%1").arg(i + 2), kListPictureOffset, kListPictureOffset,
                                     38.1, 24.8);
        if (StopAsked())
            return Cancel();
        StepDone();
    }
    return Finish();
}
