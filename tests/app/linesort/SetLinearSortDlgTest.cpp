// The contact width dialog, offscreen: the slider gives the map its width at once (the view redraws),
// キャンセル restores it, and nothing is saved.
#include <gtest/gtest.h>

#include <QSlider>
#include <QTest>

#include "FileBytes.h"
#include "TempFolder.h"
#include "app/doc/TavrelDoc.h"
#include "app/linesort/SetLinearSortDlg.h"

namespace {

struct MapDocument
{
    TempFolder temp;
    CTavrelDoc doc;
    std::vector<ProjectChanges> announced;

    MapDocument()
    {
        const ProjectChangeOutcome made = doc.Change(ProjectChange::Maps, [&](Project& project) {
            EXPECT_EQ(project.CreateNew(QStringLiteral("現場"), temp.path()), kProjectOk);
            LocationMap map(project.maps.Count() + 1);
            map.kind = LocationMap::kWebStandard;
            project.maps.maps.push_back(map);
            return true;
        });
        EXPECT_TRUE(made.Ok());
        QObject::connect(&doc, &CTavrelDoc::ProjectChanged,
                         [this](ProjectChanges kinds) { announced.push_back(kinds); });
    }
    int Width() const { return doc.GetProject().maps.maps[0].runtime.sortContactWidth; }
    QByteArray ProjectBytes() const { return ReadAll(doc.GetProject().ProjectFilePath()); }
};

}  // namespace

TEST(SetLinearSortDlg, TheSliderSetsTheWidthLiveAndCancelRestoresIt)
{
    MapDocument d;
    const QByteArray saved = d.ProjectBytes();
    ASSERT_FALSE(saved.isEmpty());
    {
        app::CSetLinearSortDlg dialog(d.doc, 0);
        EXPECT_EQ(dialog.Slider()->minimum(), 5);
        EXPECT_EQ(dialog.Slider()->maximum(), 105);
        EXPECT_EQ(dialog.Slider()->value(), 50);
        dialog.show();
        dialog.Slider()->setFocus();
        QTest::keyClick(dialog.Slider(), Qt::Key_End);
        EXPECT_EQ(d.Width(), 105);
        dialog.Slider()->setValue(20);
        EXPECT_EQ(d.Width(), 20);
        ASSERT_EQ(d.announced.size(), 2u);
        EXPECT_EQ(d.announced[0], ProjectChanges(ProjectChange::Selection));
        QTest::keyClick(&dialog, Qt::Key_Escape);  // Esc keeps the dialog
        EXPECT_TRUE(dialog.isVisible());
        dialog.CancelButton()->click();
        EXPECT_EQ(d.Width(), 50);
    }
    {
        app::CSetLinearSortDlg dialog(d.doc, 0);
        dialog.Slider()->setValue(7);
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(d.Width(), 7);
    }
    {
        app::CSetLinearSortDlg dialog(d.doc, 0);  // starts from the map's width
        EXPECT_EQ(dialog.Slider()->value(), 7);
    }
    EXPECT_EQ(d.ProjectBytes(), saved);

    // A map that is not there: the dialog shows the default and changes nothing.
    app::CSetLinearSortDlg none(d.doc, 3);
    none.Slider()->setValue(80);
    none.CancelButton()->click();
    EXPECT_EQ(d.Width(), 7);
}
