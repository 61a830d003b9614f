#include "app/ProgramRun.h"

#include <QApplication>

#include "app/Prompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandLine.h"
#include "app/frame/MainFrame.h"
#include "app/frame/MainFrameViewHost.h"
#include "app/progress/SplashWnd.h"
#include "app/view/TavrelView.h"
#include "app/view/ViewHost.h"

namespace app {

ProgramRun::ProgramRun(const QStringList& arguments)
{
    // A second program is refused before any window or file of the first is touched.
    if (!m_instance.Acquire()) {
        ShowMessage(nullptr, SingleInstance::RefusedText());
        return;
    }

    // The program's settings: read once at start, written when the program ends.
    m_settingsPath = AppSettings::FilePath();
    m_settings = AppSettings::Defaults();
    (void)m_settings.Load(m_settingsPath);

    const StartupOptions options = ParseStartupArguments(arguments);
    m_document = std::make_unique<CTavrelDoc>();
    m_document->appSettings = &m_settings;
    m_frame = std::make_unique<CMainFrame>(m_document.get());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto* view = new CTavrelView(m_document.get(), MakeMainFrameViewHost(*m_frame));
    view->LoadMarkSettings();
    InstallMainView(*m_frame, view);
    m_frame->show();
    CSplashWnd::Show(m_frame.get(), options.splash);
    QApplication::processEvents();

    // The frame takes no input while the panes get the document and the named project opens; the
    // last project file on the command line is opened once the panes are empty and ready.
    m_frame->setEnabled(false);
    m_frame->ClearPanes();
    if (!options.projectPath.isEmpty())
        (void)m_document->RunCommand([&] { m_frame->OpenProjectPath(options.projectPath); });
    m_frame->UpdatePaneControls(false);
    m_frame->setEnabled(true);
    m_frame->raise();
    m_frame->activateWindow();
    CSplashWnd::Hide();
    QApplication::restoreOverrideCursor();
    m_frame->UpdateCommandStates();
}

ProgramRun::~ProgramRun()
{
    // The frame holds the view, which reaches the document: it goes first.
    m_frame.reset();
    m_document.reset();
}

void ProgramRun::Finish()
{
    if (m_finished || Refused())
        return;
    m_finished = true;
    (void)m_settings.Save(m_settingsPath);
}

}  // namespace app
