#pragma once

#include <QString>

#include "model/Project.h"
#include "report/ExcelReportWriter.h"
#include "report/ProjectPhotoSource.h"

// The run's own copy of the project, made before the engine that is handed its photo source.
struct RsBookReportProject
{
    explicit RsBookReportProject(const Project& source) : project(source) {}

    Project project;
    ProjectPhotoSource photoSource{project};
};

// The reservoir deterioration survey workbooks (劣化状況評価調査表): one workbook per location map whose
// survey is ticked for the workbook, made from the template workbook Systems/RsBook.xlsx as 27 sheets in
// a fixed order. The header sheets get the reservoir's ID and name (AB4) and the survey date (AB5), the
// summary its name, ID and date (Y3, Y4, G4), the eight photo sheets the table's drawing and photos,
// and the other forms are copied as they are. Every sheet but the summary gets its print area.
class RsBookReport : private RsBookReportProject, public CExcelReportWriter
{
public:
    enum Result : int
    {
        kDone = 0,
        kFailed = 1,
        kCancelled = 2,
    };

    // One template sheet: its name, the zero-based last column and row of its print area, and how it is
    // written.
    enum class SheetRole
    {
        Copy,
        Header,
        Photos,
        Summary,
    };
    struct TemplateSheet
    {
        const char* name;
        int lastColumn;
        int lastRow;
        SheetRole role;
        int table;  // the survey table of a photo sheet, else -1
    };
    static constexpr int kSheetCount = 27;
    static const TemplateSheet& Sheet(int index);

    // The photo grid of a table's sheet: the drawing's cell (null without one), the first picture row
    // (1-based) and how many photos the first page holds.
    struct PhotoGrid
    {
        const char* figureCell;
        int firstRow;
        int firstPagePhotos;
    };
    static const PhotoGrid& Grid(int table);

    RsBookReport(const Project& project, const QString& templatePath);

    // The program's template: Systems/RsBook.xlsx in the executable's folder.
    static QString DefaultTemplatePath();
    // The workbook's name without extension: position from 1, map name, "_劣化状況評価調査表".
    static QString WorkbookName(int mapIndex, const QString& mapName);

    // Writes the workbooks of the ticked maps into `folder`. True when every one was written or none was
    // ticked; false with errorText set otherwise (workbooks of earlier maps stay written). writtenCount
    // tells how many were made.
    [[nodiscard]] bool WriteRsBook();
    // One workbook for currentMap: a Result.
    int WriteRsBookSheets();
    int WriteHeaderSheet(int sheetIndex);
    int WriteItemSheet(int table);

    int currentMap = -1;

private:
    const ReservoirSheet& Survey() const;
    int WriteCopySheet(int sheetIndex);
    int WriteSummarySheet();
    int WriteStep(int sheetIndex);
    void PutPrintArea(int sheetIndex, int lastRow);
    void PumpAndAdvance();
    bool TakesPlace(int photoId) const;
    void PutPairBoxes(int row);
    void PutPageBreak(int row);

    QString m_templatePath;
};

