// The main frame's project commands: new, open, recent files, dropped files, the project folder, and
// the frame's state after a project was loaded or reset.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>

#include "app/AppTitle.h"
#include "app/FolderOpener.h"
#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "fe/AppFolders.h"

namespace {

bool IsProjectFileName(const QString& path)
{
    const QString suffix = QStringLiteral(".") + QFileInfo(path).suffix().toLower();
    return suffix == QStringLiteral(".kvr2") || suffix == QStringLiteral(".kvr");
}

}  // namespace

void CMainFrame::CommitBeforeSwitch()
{
    if (m_beforeSwitch)
        m_beforeSwitch();
}

void CMainFrame::AddRecentProjectFile(const QString& path)
{
    m_recent.Add(path);
    RebuildRecentMenu();
}

bool CMainFrame::OnNewProject()
{
    if (!m_document)
        return false;
    if (m_document->GetProject().HasPath()) {
        if (!app::AskYesNo(
                this, QStringLiteral("既にプロジェクトを開いています。\n新しいプロジェクトを作成しますか?"),
                app::kProductName)) {
            UpdatePaneControls(false);
            UpdateCommandStates();
            return true;
        }
        ResetToEmptyProject();
    }
    const QString exeFolder = fe::GetExeFolder();
    if (exeFolder.isEmpty())
        return false;
    SendAppMessage(app::kMsgResetFlowPane);
    const QString chosen = app::Prompts().SaveFileName(
        this, QStringLiteral("新規作成 （保存フォルダ作成）"), exeFolder,
        app::QtFileFilter(QStringLiteral("ケルヴォル Ver2 ファイル(*.kvr2)|*.kvr2||")));
    if (chosen.isEmpty())
        return false;
    const QFileInfo info(chosen);
    const QString name = info.completeBaseName();
    Project created;
    const int result = created.CreateNew(name, info.absolutePath() + QLatin1Char('/'));
    if (result != kProjectOk) {
        app::ShowMessage(this, ProjectErrorText(result), app::kProductName, app::PromptIcon::Warning);
        return false;
    }
    // The new project is opened from the file CreateNew saved, so the document holds it the one way it
    // holds every project.
    const QString projectFile = QDir(created.folder).filePath(name + QStringLiteral(".kvr2"));
    if (m_document->OpenProjectFile(projectFile) != kDocOpened) {
        ResetToEmptyProject();
        return false;
    }
    AddRecentProjectFile(projectFile);
    OnProjectLoaded();
    return true;
}

void CMainFrame::OnOpenProject()
{
    if (!m_document)
        return;
    CommitBeforeSwitch();
    switch (m_document->PromptOpenProject()) {
        case kDocOpened:
            OnProjectLoaded();
            break;
        case kDocOpenFailed:
            ResetToEmptyProject();
            break;
        case kDocFileMissing:
            app::ShowMessage(this, QStringLiteral("ファイルが見つかりません。"), app::kProductName,
                             app::PromptIcon::Warning);
            break;
        case kDocOpenDeclined:
            break;
    }
}

void CMainFrame::OnOpenRecentFile(int index)
{
    if (!m_document || index < 0 || index >= m_recent.Paths().size())
        return;
    const QString path = m_recent.Paths()[index];
    QFile test(path);
    if (!test.open(QIODevice::ReadOnly)) {
        app::ShowMessage(
            this, QStringLiteral("このファイルを開くことができません。\n\n") + QDir::toNativeSeparators(path),
            app::kProductName, app::PromptIcon::Warning);
        m_recent.Remove(index);
        RebuildRecentMenu();
        return;
    }
    test.close();
    CommitBeforeSwitch();
    switch (m_document->OpenProjectFile(path)) {
        case kDocOpened:
            OnProjectLoaded();
            break;
        case kDocOpenFailed:
            m_recent.Remove(int(m_recent.Paths().indexOf(path)));
            RebuildRecentMenu();
            ResetToEmptyProject();
            break;
        default:
            break;
    }
}

void CMainFrame::OnClearRecentFiles()
{
    if (!app::AskYesNo(
            this,
            QStringLiteral("「ファイル」メニューの最近使ったファイルをクリアします。\nよろしいですか？"),
            app::kProductName))
        return;
    m_recent.Clear();
    RebuildRecentMenu();
}

void CMainFrame::OpenDroppedFile(const QString& path)
{
    if (!m_document)
        return;
    if (!IsProjectFileName(path)) {
        app::ShowMessage(
            this,
            QStringLiteral("このファイルは %1 のデータファイルではありません。").arg(app::kProductName));
        return;
    }
    OpenProjectPath(path);
}

void CMainFrame::OpenProjectPath(const QString& path)
{
    if (!m_document)
        return;
    CommitBeforeSwitch();
    switch (m_document->OpenProjectFile(path)) {
        case kDocOpened:
            OnProjectLoaded();
            break;
        case kDocOpenFailed:
            ResetToEmptyProject();
            break;
        default:
            break;
    }
}

void CMainFrame::OnOpenProjectFolder()
{
    if (m_document && m_document->GetProject().HasPath())
        app::OpenFolder(m_document->GetProject().DataFolder());
}

void CMainFrame::OnSaveProject()
{
    if (!m_document)
        return;
    // The file is replaced as a whole or not at all; the document tells a save that failed.
    (void)m_document->SaveProject();
    UpdateWindowTitle(m_document->GetProject().name);
}

void CMainFrame::OnProjectLoaded()
{
    const auto call = [](const std::function<void()>& link) {
        if (link)
            link();
    };
    call(m_links.restartView);
    ClearPanes();
    m_busy = false;
    if (m_document) {
        SendAppMessage(app::kMsgShowWebMap, 0);
        call(m_links.fillPhotoList);
        call(m_links.fillMapList);
        SendAppMessage(app::kMsgPhotoSelectionChanged);
        SendAppMessage(app::kMsgCurrentMapChanged);
        call(m_links.reloadPropertyDialog);
        UpdatePhotoPaneTitle();
    }
    UpdatePaneControls(false);
    call(m_links.closeModelessDialogs);
    UpdateWindowTitle(m_document ? m_document->GetProject().name : QString());
    SendAppMessage(app::kMsgResetFlowPane);
    if (m_document && !m_document->GetProject().photos.photos.empty() && CurrentState().viewMode == 0 &&
        m_links.fitViewToPhotos)
        m_links.fitViewToPhotos(0);
    UpdateCommandStates();
    update();
}

void CMainFrame::ResetToEmptyProject()
{
    CommitBeforeSwitch();
    if (m_document)
        m_document->ResetProject();
    ClearPanes();
    UpdatePaneControls(false);
    if (m_links.closeModelessDialogs)
        m_links.closeModelessDialogs();
    if (m_links.restartView)
        m_links.restartView();
    UpdateWindowTitle(QString());
    UpdateCommandStates();
    RefreshView();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    // Only the first dropped file counts.
    const QString path = urls.first().toLocalFile();
    if (m_document && !IsBusy())
        (void)m_document->RunCommand([this, path] { OpenDroppedFile(path); });
}
