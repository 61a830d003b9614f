#include "app/doc/TavrelDoc.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/progress/SubProgressDlg.h"
#include "fe/AppFolders.h"
#include "fe/File.h"
#include "fe/PathUtil.h"
#include "model/AppSettings.h"
#include "model/ProjectFile.h"
#include "model/ProjectFileFormat.h"
#include "model/ProjectResult.h"

namespace {

const QString kNotProjectFile = QStringLiteral("ケルヴォルのファイルではありません。");
const QString kConvertQuestion = QStringLiteral(
    "指定のファイルはケルヴォル Ver1のファイルです。\nケルヴォルVer2のファイルへ変換します。\n\n"
    "ケルヴォルVer1のファイルを残したい場合は、保存フォルダごと別のフォルダーへコピーしておいてください。\n\n"
    "Ver2のファイルへ変換しますか？");

// Asked when the converted project would take the name of a current project file that already exists.
QString ReplaceQuestion(const QString& existingFile)
{
    return QStringLiteral("変換したファイルの保存先に、ケルヴォル Ver2 のファイルがすでにあります。\n%1\n\n"
                          "置き換えると、このファイルの内容は失われます。\n置き換えてよろしいですか？")
        .arg(QDir::toNativeSeparators(existingFile));
}

// The wait cursor for the life of the object, restored on every way out.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Reads the magic text and the version at the start of a project file. False for a file that cannot be
// opened, is shorter than its header or starts with another text.
bool ReadProjectHeader(const QString& path, std::int32_t& version)
{
    fe::FileRB file;
    if (!file.open(path))
        return false;
    try {
        QString magic;
        file >> magic;
        if (magic != ProjectFileFormat::MagicText())
            return false;
        file.readBinInt32(version);
    } catch (const fe::Failure&) {
        return false;
    }
    return true;
}

QString WithoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    return folder;
}

// Sets the flag for the life of the object and clears it on every way out, exceptions included.
class FlagScope
{
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

}  // namespace

CTavrelDoc::CTavrelDoc() : exeFolder(WithoutTrailingSeparator(fe::GetExeFolder()))
{
    m_project.Reset();
}

ProjectChangeOutcome CTavrelDoc::Change(ProjectChanges kinds, const std::function<bool(Project&)>& edit)
{
    ProjectChangeOutcome outcome;
    if (m_changeRunning) {
        outcome.refused = true;
        return outcome;
    }
    bool saving = false;
    {
        const FlagScope running(m_changeRunning);
        outcome.changed = edit(m_project);
        if (!outcome.changed)
            return outcome;
        if (kinds.testFlag(ProjectChange::Photos)) {
            // Entries of removed photos go, entries of moved photos follow them.
            m_project.SyncPlacedPhotos();
            kinds |= ProjectChange::PlacedPhotos;
        }
        saving = (kinds & ~ProjectChanges(ProjectChange::Selection)) != 0;
        if (saving)
            outcome.saved = m_project.Save();
    }
    emit ProjectChanged(kinds);
    // Told after the announcement, so that the screen already shows what the message is about.
    if (saving)
        TellSaveOutcome(outcome.saved);
    return outcome;
}

ProjectResult CTavrelDoc::SaveProject()
{
    const ProjectResult saved = m_project.Save();
    TellSaveOutcome(saved);
    return saved;
}

void CTavrelDoc::TellSaveOutcome(ProjectResult saved)
{
    if (saved == kProjectOk) {
        m_saveFailureTold = false;
        return;
    }
    if (m_saveFailureTold)
        return;
    m_saveFailureTold = true;
    // Over the modal dialog that made the change, if one is open, so that the message is not hidden
    // behind it; else over the frame.
    QWidget* modal = QApplication::activeModalWidget();
    app::ShowMessage(modal ? modal : dialogParent, ProjectErrorText(saved), app::kProductName,
                     app::PromptIcon::Warning);
}

bool CTavrelDoc::RunCommand(const std::function<void()>& command)
{
    if (IsBusy())
        return false;
    const FlagScope running(m_commandRunning);
    command();
    return true;
}

void CTavrelDoc::ClearProject()
{
    m_project.Reset();
    m_projectFilePath.clear();
    m_projectFileName.clear();
}

void CTavrelDoc::ResetProject()
{
    ClearProject();
    emit ProjectChanged(kWholeProject);
}

void CTavrelDoc::Warn(const QString& text) const
{
    app::ShowMessage(dialogParent, text, app::kProductName, app::PromptIcon::Warning);
}

QString CTavrelDoc::OpenDialogFolder() const
{
    // The folder that holds the last project's folder, so that the user sees the project folders.
    QString folder;
    if (appSettings && !appSettings->lastProjectPath.isEmpty()) {
        const QString projectFolder =
            WithoutTrailingSeparator(fe::GetPathFolder(appSettings->lastProjectPath));
        if (projectFolder.contains(u'/') || projectFolder.contains(u'\\'))
            folder = fe::GetPathFolder(projectFolder);
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = m_projectFileName.isEmpty() ? exeFolder : fe::GetPathFolder(m_projectFilePath);
    if (folder.isEmpty())
        folder = exeFolder;
    return folder;
}

DocOpenResult CTavrelDoc::PromptOpenProject()
{
    const QString filter = app::QtFileFilter(QStringLiteral(
        "ケルヴォル Ver2 ファイル(*.kvr2)|*.kvr2|ケルヴォル Ver1 ファイル(*.kvr)|*.kvr|All Files (*.*)|*||"));
    const QString chosen = app::Prompts().OpenFileName(dialogParent, QString(), OpenDialogFolder(), filter);
    if (chosen.isEmpty())
        return kDocOpenDeclined;
    if (!QFileInfo(chosen).isFile())
        return kDocFileMissing;
    return OpenProjectFile(chosen);
}

DocOpenResult CTavrelDoc::OpenProjectFile(const QString& givenPath)
{
    const WaitCursor wait;
    QString path = givenPath.trimmed();

    // A file too short to hold the header is a foreign file like any other, never a crash.
    std::int32_t version = 0;
    if (!ReadProjectHeader(path, version) || version < 0) {
        Warn(kNotProjectFile);
        return kDocOpenFailed;
    }
    // Older versions are first-version projects, converted after the user agrees.
    const bool firstVersion = version < ProjectFileFormat::kCurrentFormatSince;
    if (firstVersion && !app::AskYesNo(dialogParent, kConvertQuestion, app::kProductName))
        return kDocOpenDeclined;
    // The conversion saves under <name>.kvr2: a current project already there is replaced only when the
    // user agrees, asked before anything on disk or in the open project changes.
    if (firstVersion) {
        const QString target = ConvertedProjectFilePath(path);
        if (!target.isEmpty() && QFileInfo(target).isFile() &&
            !app::AskYesNo(dialogParent, ReplaceQuestion(target), app::kProductName, app::PromptIcon::Warning))
            return kDocOpenDeclined;
    }
    std::unique_ptr<CSubProgressDlg> progress;
    if (firstVersion) {
        // The conversion lets no events through, so its progress window is brought on screen now,
        // while the open project is still whole; otherwise it would never show.
        progress = std::make_unique<CSubProgressDlg>(dialogParent);
        progress->EnableCancel(false);
        progress->setWindowTitle(QStringLiteral("サムネイル作成中"));
        progress->WaitUntilShown();
    }
    ClearProject();
    const ProjectResult code = LoadProject(m_project, path);
    if (code != kProjectOk) {
        progress.reset();
        Warn(ProjectErrorText(code));
        return kDocOpenFailed;
    }
    if (firstVersion) {
        if (!ConvertFirstVersion(path, std::move(progress)))
            return kDocOpenFailed;
        path = m_project.ProjectFilePath();
    }
    m_projectFileName = fe::GetPathFileName(path);
    m_projectFilePath = path;
    if (addRecentProjectFile)
        addRecentProjectFile(path);
    if (appSettings)
        appSettings->lastProjectPath = path;
    emit ProjectChanged(kWholeProject);
    return kDocOpened;
}

bool CTavrelDoc::ConvertFirstVersion(const QString& openedPath, std::unique_ptr<CSubProgressDlg> progress)
{
    const ProjectFolders folders = m_project.Folders();
    QDir().mkpath(folders.thumbM);
    QDir().mkpath(folders.thumbL);
    // The conversion cannot be interrupted: Cancel is disabled, and the bar is repainted at each step
    // without letting other events through.
    progress->SetSteps(static_cast<int>(m_project.photos.photos.size()));
    for (size_t i = 0; i < m_project.photos.photos.size(); ++i) {
        // A thumbnail that cannot be made does not stop the conversion.
        (void)m_project.RemakeThumbnails(static_cast<int>(i));
        progress->Advance();
    }
    progress.reset();
    // The first-version file is deleted only once the new file is safely in place.
    const ProjectResult code = m_project.Save();
    if (code != kProjectOk) {
        Warn(ProjectErrorText(code));
        return false;
    }
    DeleteV1ProjectFile(m_project);
    // File names are case-sensitive here: a first-version file opened as "SITE.KVR" is not the
    // "SITE.kvr" removed above, and left behind it would be converted again over the newer file.
    const QFileInfo opened(openedPath);
    if (opened.isFile() && opened.suffix().compare(QStringLiteral("kvr"), Qt::CaseInsensitive) == 0 &&
        opened.absoluteFilePath() != QFileInfo(m_project.ProjectFilePath()).absoluteFilePath())
        QFile::remove(openedPath);
    return true;
}
