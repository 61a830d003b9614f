#include "app/frame/ListExportCommands.h"

#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QPointer>
#include <exception>
#include <functional>
#include <memory>

#include "app/FolderOpener.h"
#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/MainFrame.h"
#include "app/progress/ReportProgressWindow.h"
#include "fe/Failure.h"
#include "report/LedgerListReport.h"
#include "report/PhotoListReport.h"
#include "report/PhotoSetReport.h"
#include "report/ProjectPhotoSource.h"
#include "report/ReportGeometry.h"

namespace app {
namespace {

// A widget disabled for the length of a scope (and enabled again if it still exists).
class DisabledWhile
{
public:
    explicit DisabledWhile(QWidget* widget) : m_widget(widget)
    {
        if (m_widget)
            m_widget->setEnabled(false);
    }
    ~DisabledWhile()
    {
        if (m_widget)
            m_widget->setEnabled(true);
    }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

private:
    QPointer<QWidget> m_widget;
};

using MakeWriter = std::function<std::unique_ptr<ListReportWriter>(const Project&, ReportPhotoSource&)>;

QString ChooseFile(CMainFrame& frame, const QString& defaultName)
{
    const Project& project = frame.Document()->GetProject();
    const QString start = QFileInfo(project.ExcelFolder()).isDir() ? project.ExcelFolder() + defaultName : defaultName;
    return Prompts().SaveFileName(nullptr, QStringLiteral("名前を付けて保存"), start,
                                  QtFileFilter(QStringLiteral("Excel ブック(*.xlsx)|*.xlsx|すべて|*.*||")));
}

void ShowOutcome(CMainFrame& frame, int result, const ListReportWriter& writer, const ListExportTarget& target)
{
    if (result != kListWritten && result != kListDone) {
        ShowMessage(&frame, writer.errorText);
        return;
    }
    // The file written is opened, which is the chosen path with its extension made ".xlsx".
    const QString written = target.WrittenPath();
    if (!OpenFileInDesktop(written))
        ShowMessage(&frame, QStringLiteral("出力したExcelファイルを開けませんでした。\n\n") + QDir::toNativeSeparators(written),
                    QStringLiteral("エラー"), PromptIcon::Information);
}

void RunListExport(CMainFrame& frame, QWidget* caller, const QString& defaultName, const MakeWriter& make)
{
    CTavrelDoc* document = frame.Document();
    if (!document || document->IsBusy())
        return;
    const QString chosen = ChooseFile(frame, defaultName);
    if (chosen.isEmpty())
        return;
    const ListExportTarget target = ListExportTargetOf(chosen);
    (void)document->RunCommand([&] {
        DisabledWhile disabled(caller);
        try {
            ProjectPhotoSource photos(document->GetProject());
            const std::unique_ptr<ListReportWriter> writer = make(document->GetProject(), photos);
            writer->folder = target.folder;
            writer->fileName = target.name;
            writer->SetProgressFactory(MakeReportProgressFactory(&frame));
            const int result = writer->WriteBook();
            ShowOutcome(frame, result, *writer, target);
        } catch (const fe::Failure& failure) {
            ShowMessage(&frame, failure.Text());
        } catch (const std::exception& failure) {
            ShowMessage(&frame, QString::fromLocal8Bit(failure.what()));
        }
    });
}

}  // namespace

QString ListExportTarget::WrittenPath() const
{
    return ReportOutputPath(folder, name);
}

ListExportTarget ListExportTargetOf(const QString& chosenPath)
{
    const QFileInfo chosen(chosenPath);
    return {chosen.absolutePath(), chosen.completeBaseName()};
}

QString PhotoListDefaultName()
{
    return QStringLiteral("撮影写真リスト");
}

QString LedgerListDefaultName(const QString& mapName)
{
    return QStringLiteral("写真台帳リスト_") + mapName;
}

QString PhotoSetDefaultName()
{
    return QStringLiteral("撮影写真一式");
}

void ExportPhotoListExcel(CMainFrame& frame, int currentMap, QWidget* caller)
{
    const int viewMode = frame.CurrentState().viewMode;
    RunListExport(
        frame, caller ? caller : frame.PhotoPane(), PhotoListDefaultName(),
        [&](const Project& project, ReportPhotoSource& photos) {
            auto writer = std::make_unique<PhotoListReport>(&project, &photos);
            writer->viewMode = viewMode;
            writer->currentMap = currentMap;
            return writer;
        });
}

void ExportLedgerListExcel(CMainFrame& frame, int mapIndex, QWidget* caller)
{
    if (!frame.Document())
        return;
    const LocationMapList& maps = frame.Document()->GetProject().maps;
    const QString mapName = maps.IsValidIndex(mapIndex) ? maps.maps[static_cast<size_t>(mapIndex)].name : QString();
    RunListExport(
        frame, caller, LedgerListDefaultName(mapName),
        [&](const Project& project, ReportPhotoSource& photos) {
            return std::make_unique<LedgerListReport>(&project, &photos, mapIndex);
        });
}

void ExportPhotoSetExcel(CMainFrame& frame, const std::vector<PhotoRecord>& photos, QWidget* caller)
{
    RunListExport(
        frame, caller, PhotoSetDefaultName(),
        [&](const Project& project, ReportPhotoSource& source) {
            return std::make_unique<PhotoSetReport>(&project, &source, photos);
        });
}

}  // namespace app
