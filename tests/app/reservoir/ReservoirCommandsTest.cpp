#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "SurveyDocument.h"
#include "app/ScriptedPrompts.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/frame/ReservoirCommands.h"
#include "app/reservoir/ReservoirPhotoDlg.h"
#include "model/ProjectResult.h"

namespace {

// Closes the survey dialog once it runs, after `meanwhile`.
void CloseSurveyWhenShown(std::function<void(app::CReservoirPhotoDlg&)> meanwhile)
{
    QTimer::singleShot(0, [meanwhile] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<app::CReservoirPhotoDlg*>(widget);
                dialog && dialog->isVisible()) {
                meanwhile(*dialog);
                dialog->CloseButton()->click();
            }
        }
    });
}

}  // namespace

// The survey opens on the map the pane made current; closing it writes the settings.
TEST(ReservoirCommands, SurveyOpensOnTheCurrentMapAndWritesTheSettings)
{
    SurveyDocument site;
    ASSERT_TRUE(site.doc
                    .Change(ProjectChange::Selection,
                            [](Project& project) {
                                project.maps.maps[1].flags |= LocationMap::kFlagCurrent;
                                return true;
                            })
                    .Ok());
    EXPECT_EQ(app::CurrentMapIndex(site.doc), 1);
    app::ScriptedPrompts prompts;
    int shownMap = -2;
    CloseSurveyWhenShown([&](app::CReservoirPhotoDlg& dialog) { shownMap = dialog.MapIndex(); });
    const QString settingsPath = site.temp.file(QStringLiteral("setting.bin"));
    EXPECT_EQ(app::RunReservoirSurvey(site.doc, nullptr, settingsPath), 1);
    EXPECT_EQ(shownMap, 1);
    EXPECT_TRUE(QFileInfo::exists(settingsPath));
    EXPECT_TRUE(prompts.asked().empty());
}

// A save that fails while the survey is open is told when it fails, once; closing the survey saves
// nothing more and says nothing more.
TEST(ReservoirCommands, FailedSaveIsToldOnceWhileTheSurveyIsOpen)
{
    SurveyDocument site;
    app::ScriptedPrompts prompts;
    const QString folder = site.project().folder;
    size_t toldBeforeClosing = 0;
    CloseSurveyWhenShown([&](app::CReservoirPhotoDlg& dialog) {
        ASSERT_TRUE(QDir().rename(folder, site.temp.file(QStringLiteral("moved"))));
        dialog.OnHeaderClicked(1);
        dialog.OnHeaderClicked(1);
        toldBeforeClosing = prompts.asked().size();
    });
    EXPECT_EQ(app::RunReservoirSurvey(site.doc, nullptr, QString()), 1);
    EXPECT_EQ(toldBeforeClosing, 1u);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, ProjectErrorText(5));
}

// The flow pane's message runs the survey for a project with a path, and nothing without one.
TEST(ReservoirCommands, FlowMessageRunsTheSurvey)
{
    SurveyDocument site;
    app::ScriptedPrompts prompts;
    CMainFrame frame(&site.doc);
    bool shown = false;
    CloseSurveyWhenShown([&](app::CReservoirPhotoDlg&) { shown = true; });
    EXPECT_EQ(frame.SendAppMessage(app::kMsgReservoirSurvey), 1);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(site.doc.IsBusy());

    CTavrelDoc empty;
    CMainFrame emptyFrame(&empty);
    EXPECT_EQ(emptyFrame.SendAppMessage(app::kMsgReservoirSurvey), 0);
}
