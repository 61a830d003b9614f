#pragma once

#include <QStringList>
#include <memory>

#include "app/frame/SingleInstance.h"
#include "model/AppSettings.h"

class CMainFrame;
class CTavrelDoc;

namespace app {

// One run of the program from its first window to its end: refuses a second program, reads the
// settings, builds the document, the main frame and its view, shows the splash while the project
// named on the command line opens, and writes the settings again at the end. main() makes one on its
// QApplication and runs the event loop between; the end-to-end tests make one for each start.
class ProgramRun
{
public:
    // Starts the program with the arguments after its name; when another program already runs, says
    // so and builds nothing (Refused()).
    explicit ProgramRun(const QStringList& arguments);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Refused() const { return !m_frame; }
    CMainFrame& Frame() { return *m_frame; }
    CTavrelDoc& Document() { return *m_document; }

    // Writes the settings the program ends with; called once, after the event loop has returned.
    void Finish();

private:
    SingleInstance m_instance;
    QString m_settingsPath;
    AppSettings m_settings;
    std::unique_ptr<CTavrelDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    bool m_finished = false;
};

}  // namespace app
