#include "RoadDriver.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <utility>

#include "LocalServers.h"
#include "app/FolderOpener.h"
#include "app/ProgramRun.h"
#include "app/Startup.h"
#include "app/frame/MainFrame.h"
#include "fe/AppFolders.h"

namespace road {
namespace {

constexpr int kUnclaimedModalMs = 20000;

// The tile indices of the point at the zoom (Web Mercator).
QPoint TileOf(double latitude, double longitude, int zoom)
{
    const double n = std::ldexp(1.0, zoom);
    const double lat = latitude * M_PI / 180.0;
    const int x = int(std::floor((longitude + 180.0) / 360.0 * n));
    const int y = int(std::floor((1.0 - std::asinh(std::tan(lat)) / M_PI) / 2.0 * n));
    return {x, y};
}

QString SourceFolder()
{
    return QStringLiteral(KELVOR_SOURCE_DIR);
}

}  // namespace

QString PlainText(const QString& text)
{
    QString plain = text.section(u'\t', 0, 0);
    plain.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    plain.remove(u'&');
    plain = plain.trimmed();
    while (plain.endsWith(u'.') || plain.endsWith(u'…'))
        plain.chop(1);
    return plain.trimmed();
}

Road::Road(const QString& name) : m_name(name)
{
    // The application is prepared as main() prepares it, so that Qt's own dialogs speak Japanese too.
    static const bool prepared = [] {
        app::PrepareApplication(*qApp);
        return true;
    }();
    (void)prepared;
    const QByteArray shots = qgetenv("KELVOR_ROAD_SHOTS");
    m_shots = (shots.isEmpty() ? QDir::current().filePath(QStringLiteral("road-shots"))
                               : QString::fromLocal8Bit(shots)) +
              u'/' + name;
    QDir(m_shots).removeRecursively();
    QDir().mkpath(m_shots);

    // The tile server of the road, named in the tile list the program reads on its first start.
    m_tileLog = m_work.filePath(QStringLiteral("tile-requests.log"));
    const int port = localserver::FreePort();
    m_tiles = std::make_unique<localserver::Server>(
        QStringLiteral("/usr/bin/python3"),
        QStringList{SourceFolder() + QStringLiteral("/tests/e2e/tile_server.py"), QString::number(port), m_tileLog},
        port);
    EXPECT_TRUE(m_tiles->IsUp()) << "the road's tile server did not start";
    const QString base = m_tiles->BaseUrl();
    const QString list = QStringLiteral(
                             "{ \"標準地図\", \"%1\", \"/xyz/std\", \".png\", 2, 18, false }\r\n"
                             "{ \"淡色地図\", \"%1\", \"/xyz/pale\", \".png\", 2, 18, false }\r\n"
                             "{ \"写真\", \"%1\", \"/xyz/seamlessphoto\", \".jpg\", 2, 18, false }\r\n")
                             .arg(base);
    EXPECT_TRUE(localserver::WriteFile(Writable() + QStringLiteral("TileSiteList.txt"), list.toUtf8()));

    m_prompts = std::make_unique<app::ScriptedPrompts>();
    app::SetFolderOpener([this](const QString& folder) {
        m_openedFolders.append(folder);
        return true;
    });
    app::SetFileOpener([this](const QString& file) {
        m_openedFiles.append(file);
        return true;
    });

    m_watch = new QTimer;
    m_watch->setInterval(50);
    QObject::connect(m_watch, &QTimer::timeout, [this] { WatchDialogs(); });
    m_watch->start();
}

Road::~Road()
{
    if (m_run)
        Close();
    delete m_watch;
    app::SetFolderOpener({});
    app::SetFileOpener({});
    m_prompts.reset();
}

QString Road::Work() const
{
    return m_work.path();
}

QString Road::Writable() const
{
    return fe::GetWritableFolder();
}

QString Road::TileCache() const
{
    return Writable() + QStringLiteral("geocache");
}

QStringList Road::TileRequests() const
{
    QFile log(m_tileLog);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void Road::PrefillTiles(double latitude, double longitude, int zoom)
{
    const QPoint centre = TileOf(latitude, longitude, zoom);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const int x = centre.x() + dx, y = centre.y() + dy;
            QImage tile(256, 256, QImage::Format_RGB32);
            tile.fill(QColor(226, 238, 226));
            QPainter painter(&tile);
            painter.setPen(QColor(160, 190, 160));
            painter.drawRect(0, 0, 255, 255);
            painter.drawText(QRect(0, 0, 256, 256), Qt::AlignCenter,
                             QStringLiteral("cache %1/%2/%3").arg(zoom).arg(x).arg(y));
            painter.end();
            const QString folder =
                QStringLiteral("%1/_xyz_std/%2/%3").arg(TileCache()).arg(zoom).arg(x);
            QDir().mkpath(folder);
            EXPECT_TRUE(tile.save(QStringLiteral("%1/%2.png").arg(folder).arg(y)));
        }
}

void Road::Start(const QStringList& arguments)
{
    ASSERT_FALSE(m_run) << "the program is already running";
    m_run = std::make_unique<app::ProgramRun>(arguments);
    ASSERT_FALSE(m_run->Refused()) << "the program refused to start";
    CMainFrame& frame = m_run->Frame();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame, 10000));
    frame.activateWindow();
    if (!QTest::qWaitForWindowActive(&frame, 3000))
        QApplication::setActiveWindow(&frame);
    Idle(300);
}

CMainFrame& Road::Frame()
{
    return m_run->Frame();
}

CTavrelDoc& Road::Document()
{
    return m_run->Document();
}

void Road::Close()
{
    if (!m_run)
        return;
    CMainFrame& frame = m_run->Frame();
    // The close box: the window system asks the window to close.
    if (QWindow* window = frame.windowHandle())
        (void)window->close();
    else
        frame.close();
    EXPECT_TRUE(WaitUntil([&] { return !frame.isVisible(); }, 20000)) << "the main window did not close";
    m_run->Finish();
    m_run.reset();
    Idle(100);
    CheckPrompts();
}

QMenu* Road::OpenMenuBarMenu(const QString& title)
{
    QMenuBar* bar = Frame().menuBar();
    for (QAction* action : bar->actions()) {
        if (!action->menu() || !PlainText(action->text()).startsWith(title))
            continue;
        const QRect box = bar->actionGeometry(action);
        QTest::mouseMove(bar, box.center());
        QTest::mouseClick(bar, Qt::LeftButton, {}, box.center());
        QMenu* menu = action->menu();
        EXPECT_TRUE(WaitUntil([&] { return menu->isVisible(); }, 5000)) << "menu did not open: " << title.toStdString();
        return menu;
    }
    ADD_FAILURE() << "no menu " << title.toStdString();
    return nullptr;
}

QAction* Road::MenuAction(const QStringList& path)
{
    QList<QAction*> actions = Frame().menuBar()->actions();
    QAction* found = nullptr;
    for (const QString& part : path) {
        found = nullptr;
        for (QAction* action : actions)
            if (!action->isSeparator() && PlainText(action->text()).startsWith(part)) {
                found = action;
                break;
            }
        if (!found)
            return nullptr;
        actions = found->menu() ? found->menu()->actions() : QList<QAction*>();
    }
    return found;
}

void Road::ChooseMenu(const QStringList& path)
{
    ASSERT_FALSE(path.isEmpty());
    QMenu* menu = OpenMenuBarMenu(path.front());
    ASSERT_TRUE(menu);
    for (int i = 1; i < path.size(); ++i) {
        QAction* item = nullptr;
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && PlainText(action->text()).startsWith(path[i])) {
                item = action;
                break;
            }
        ASSERT_TRUE(item) << "no item " << path[i].toStdString() << " in " << path[i - 1].toStdString();
        ASSERT_TRUE(item->isEnabled()) << "disabled: " << path[i].toStdString();
        const QPoint centre = menu->actionGeometry(item).center();
        QTest::mouseMove(menu, centre);
        Idle(100);
        if (item->menu()) {
            QMenu* sub = item->menu();
            QTest::mouseClick(menu, Qt::LeftButton, {}, centre);
            ASSERT_TRUE(WaitUntil([&] { return sub->isVisible(); }, 5000)) << "submenu did not open";
            menu = sub;
            continue;
        }
        ASSERT_EQ(i, path.size() - 1) << path[i].toStdString() << " has no submenu";
        if (!m_menuShot.isEmpty()) {
            Idle(150);
            Shot(std::exchange(m_menuShot, QString()));
        }
        QTest::mouseClick(menu, Qt::LeftButton, {}, centre);
    }
    Idle(100);
}

void Road::ChooseMenu(const QStringList& path, const QString& shot)
{
    m_menuShot = shot;
    ChooseMenu(path);
    m_menuShot.clear();
}

void Road::PressKeys(const QKeySequence& keys)
{
    QWidget* target = QApplication::activeWindow() ? QApplication::activeWindow() : &Frame();
    QTest::keySequence(target->windowHandle(), keys);
    Idle(100);
}

void Road::WhenDialog(const QString& title, std::function<void(QDialog*)> handle)
{
    m_handlers.emplace_back(title, std::move(handle));
}

void Road::WatchDialogs()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (!dialog || !dialog->isVisible() ||
            std::find(m_seen.begin(), m_seen.end(), dialog) != m_seen.end())
            continue;
        const QString title = PlainText(dialog->windowTitle());
        for (auto handler = m_handlers.begin(); handler != m_handlers.end(); ++handler) {
            if (!title.startsWith(handler->first))
                continue;
            m_seen.push_back(dialog);
            QObject::connect(dialog, &QObject::destroyed, [this, dialog] {
                m_seen.erase(std::remove(m_seen.begin(), m_seen.end(), dialog), m_seen.end());
            });
            auto handle = std::move(handler->second);
            m_handlers.erase(handler);
            // The handler runs from the event loop, not from inside this check, so that the dialogs it
            // opens have their own handlers found.
            QPointer<QDialog> guarded(dialog);
            QTimer::singleShot(0, [guarded, handle] {
                if (guarded)
                    handle(guarded);
            });
            return;
        }
    }
    // A modal dialog nobody expected would wait for ever: it fails the road and is rejected.
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!modal || std::find(m_seen.begin(), m_seen.end(), modal) != m_seen.end()) {
        m_unclaimed = nullptr;
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (modal != m_unclaimed) {
        m_unclaimed = modal;
        m_unclaimedSince = now;
        return;
    }
    if (now - m_unclaimedSince > kUnclaimedModalMs) {
        ADD_FAILURE() << "an unexpected dialog showed: " << modal->windowTitle().toStdString();
        Shot(QStringLiteral("unexpected-dialog"));
        m_unclaimed = nullptr;
        modal->reject();
    }
}

void Road::ExpectMessage(const QString& text, app::PromptAnswer answer)
{
    m_expected.push_back({QStringLiteral("message"), text});
    m_prompts->QueueAnswer(answer);
}

void Road::ExpectFiles(const QStringList& files)
{
    m_expected.push_back({QStringLiteral("files"), files.join(u';')});
    m_prompts->QueueFiles(files);
}

void Road::ExpectRealFileDialog()
{
    m_expected.push_back({QStringLiteral("files"), QStringLiteral("(real dialog)")});
    m_prompts->QueueRealFileDialog();
}

void Road::FillFileDialog(QDialog* dialog, const QString& path, const QString& shot)
{
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(qobject_cast<QFileDialog*>(dialog) && name) << "not the file dialog";
    // Keys go to the active window: the dialog, once the window system has made it active.
    if (!WaitUntil([&] { return QApplication::activeWindow() == dialog; }, 5000))
        dialog->activateWindow();
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(path);
    PressKeys(QKeySequence::Paste);
    EXPECT_TRUE(WaitUntil([&] { return name->text() == path; }, 5000))
        << "the path was not pasted: " << name->text().toStdString();
    Idle(300);
    Shot(shot);
    QPointer<QDialog> guarded(dialog);
    const bool completions = QApplication::activePopupWidget() != nullptr;
    PressKeys(QKeySequence(Qt::Key_Return));
    if (completions && guarded && guarded->isVisible())
        PressKeys(QKeySequence(Qt::Key_Return));
    if (!WaitUntil([&] { return !guarded || !guarded->isVisible(); }, 5000)) {
        ADD_FAILURE() << "the file dialog did not take " << path.toStdString() << ", it shows "
                      << name->text().toStdString();
        Shot(QStringLiteral("file-dialog-stuck"));
        guarded->reject();
    }
}

void Road::CheckPrompts()
{
    const auto& asked = m_prompts->asked();
    for (; m_checked < asked.size(); ++m_checked) {
        const auto& question = asked[m_checked];
        if (question.kind == QStringLiteral("color"))
            continue;
        const bool isMessage = question.kind == QStringLiteral("message");
        if (m_checked >= m_expected.size()) {
            ADD_FAILURE() << "unexpected " << question.kind.toStdString() << ": " << question.text.toStdString();
            continue;
        }
        const Expected& expected = m_expected[m_checked];
        if (isMessage)
            EXPECT_TRUE(expected.kind == QStringLiteral("message") && question.text.contains(expected.text))
                << "asked: " << question.text.toStdString() << "\nexpected " << expected.kind.toStdString()
                << ": " << expected.text.toStdString();
        else
            EXPECT_EQ(expected.kind.toStdString(), "files")
                << "asked for files (" << question.text.toStdString() << "), expected message "
                << expected.text.toStdString();
    }
}

bool Road::WaitUntil(const std::function<bool()>& condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
    return true;
}

void Road::Idle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

QString Road::Shot(const QString& name)
{
    // The part of the screen the program's windows cover (the main window and its dialogs), so that the
    // pictures show what the user sees without the empty desktop around it.
    QRect covered;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && !widget->isMinimized())
            covered |= widget->frameGeometry();
    QScreen* screen = QGuiApplication::primaryScreen();
    QPixmap picture = screen ? screen->grabWindow(0) : QPixmap();
    if (!picture.isNull() && !covered.isEmpty())
        picture = picture.copy(covered.intersected(picture.rect()));
    const QString file = QStringLiteral("%1/%2-%3.png").arg(m_shots).arg(++m_shotNumber, 2, 10, QChar(u'0')).arg(name);
    EXPECT_TRUE(!picture.isNull() && picture.save(file)) << "screenshot not saved: " << file.toStdString();
    return file;
}

}  // namespace road
