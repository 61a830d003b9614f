#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

#include "app/Prompts.h"
#include "app/ScriptedPrompts.h"

class CMainFrame;
class CTavrelDoc;
class QMenu;

namespace app {
class ProgramRun;
}
namespace localserver {
class Server;
}

// Drives the real program as a user does, on a real (virtual) display: the program starts through its own
// start-up code with empty settings as on a first start, menus open with the mouse, keys go through the
// window system, modal dialogs are answered by the road's handlers, message boxes and file dialogs through
// scripted prompts. Tiles come from a server on 127.0.0.1 that the road starts; nothing leaves the machine.
namespace road {

class Road
{
public:
    // `name` names the road's screenshots folder: $KELVOR_ROAD_SHOTS/<name>, or road-shots/<name> in the
    // working folder.
    explicit Road(const QString& name);
    ~Road();
    Road(const Road&) = delete;
    Road& operator=(const Road&) = delete;

    // A folder of the road's own for projects and photos; removed at the end.
    QString Work() const;
    // The program's writable folder (settings, tile list, tile cache).
    QString Writable() const;
    QString TileCache() const;
    // Paths the tile server was asked for so far.
    QStringList TileRequests() const;
    // Writes 3 × 3 tiles of the standard map around the point at the zoom into the tile cache, drawn in
    // another colour than the server's, so that a screenshot shows which came from where.
    void PrefillTiles(double latitude, double longitude, int zoom);

    // Starts the program with the arguments after its name; returns once its frame shows and is idle.
    void Start(const QStringList& arguments = {});
    bool Running() const { return m_run != nullptr; }
    CMainFrame& Frame();
    CTavrelDoc& Document();
    // Closes the main window as the user does (its close box), lets the program end and write its
    // settings. Fails the road when a message was asked that the road did not expect.
    void Close();

    // Opens the menu bar's menu with the mouse and clicks the items of the path in turn (texts as shown,
    // without their "(&F)" or "&"; a leading part is enough). Returns after the last item's command has
    // run, with its modal dialogs answered by the handlers queued with WhenDialog.
    void ChooseMenu(const QStringList& path);
    // The same, with a screenshot named `shot` taken while the last menu shows its item under the mouse.
    void ChooseMenu(const QStringList& path, const QString& shot);
    // The menu's action of the path, without opening anything (for enabled and checked states).
    QAction* MenuAction(const QStringList& path);
    // Types the key sequence into the active window through the window system.
    void PressKeys(const QKeySequence& keys);

    // When a dialog with this window title shows (modal or not), `handle` runs once with it; handlers
    // are taken in the order queued. A modal dialog that no handler takes within 20 s fails the road and
    // is rejected, so that a road never hangs.
    void WhenDialog(const QString& title, std::function<void(QDialog*)> handle);
    // True when no queued dialog handler waits.
    bool DialogsHandled() const { return m_handlers.empty(); }

    // Message boxes and file dialogs: expect a message whose text contains `text` and answer it; expect a
    // file dialog and answer it with the files (none: cancelled). They are checked in order at Close() and
    // by CheckPrompts(); anything asked that was not expected fails the road.
    void ExpectMessage(const QString& text, app::PromptAnswer answer = app::PromptAnswer::Ok);
    void ExpectFiles(const QStringList& files);
    // The next file dialog is the real one, shown for the handler queued with WhenDialog to fill.
    void ExpectRealFileDialog();
    // Fills the real file dialog as a user does: pastes the whole path into its name field (typed
    // character by character the dialog would select each folder on the way and open the last of them),
    // takes the screenshot `shot` and presses Enter, once for the completion list and once more for the
    // file when the list was open. A dialog that does not take the path fails the road and is rejected.
    void FillFileDialog(QDialog* dialog, const QString& path, const QString& shot);
    void CheckPrompts();
    app::ScriptedPrompts& Prompts() { return *m_prompts; }

    // Folders and files the program asked the desktop to open.
    const QStringList& OpenedFolders() const { return m_openedFolders; }
    const QStringList& OpenedFiles() const { return m_openedFiles; }

    // Runs the event loop until the condition holds (true) or the time is up (false).
    bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 20000);
    // Lets the program settle: runs the event loop for the time.
    void Idle(int milliseconds = 200);

    // Saves a picture of the screen where the program's windows lie as <shots>/<NN>-<name>.png, numbered in
    // the road's order.
    QString Shot(const QString& name);
    QString ShotsFolder() const { return m_shots; }

private:
    struct Expected
    {
        QString kind;  // "message" or "files"
        QString text;
    };

    void WatchDialogs();
    QMenu* OpenMenuBarMenu(const QString& title);

    QString m_name;
    QTemporaryDir m_work;
    QString m_shots;
    int m_shotNumber = 0;
    QString m_tileLog;
    std::unique_ptr<localserver::Server> m_tiles;
    std::unique_ptr<app::ScriptedPrompts> m_prompts;
    std::unique_ptr<app::ProgramRun> m_run;
    std::deque<std::pair<QString, std::function<void(QDialog*)>>> m_handlers;
    std::vector<QDialog*> m_seen;
    std::vector<Expected> m_expected;
    size_t m_checked = 0;
    QStringList m_openedFolders;
    QStringList m_openedFiles;
    class QTimer* m_watch = nullptr;
    QDialog* m_unclaimed = nullptr;
    qint64 m_unclaimedSince = 0;
    QString m_menuShot;  // taken by ChooseMenu before its last click
};

// Menu and button texts compared as the user reads them: without "(&F)", "&", "..." and after a tab.
QString PlainText(const QString& text);

}  // namespace road
