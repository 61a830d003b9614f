// Every control that shows only a picture tells a screen reader its Japanese name: the frame with its
// panes and the photo properties dialog opened from the list, and the dialogs with picture buttons.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QDockWidget>
#include <QRegularExpression>

#include "PhotoFrameFixture.h"
#include "app/controls/SpreadGrid.h"
#include "app/maps/ReportLocInfoDlg.h"
#include "app/maps/SetCoordSystemNoDlg.h"
#include "app/panes/PhotoPane.h"
#include "app/photos/PropertyPhotoDlg.h"
#include "app/settings/SetMarkDlg.h"
#include "app/track/IchimillLocusDlg.h"
#include "model/FixedItemNames.h"
#include "model/LocationMap.h"
#include "model/MarkSetting.h"

using namespace app;

namespace {

// The buttons under `window` whose accessible name is empty, by object name and class.
QStringList UnnamedButtons(const QWidget& window)
{
    QStringList unnamed;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 (%2 in %3)")
                           .arg(button->objectName(), button->metaObject()->className(),
                                button->parentWidget()->metaObject()->className());
    }
    return unnamed;
}

}  // namespace

TEST(PictureControlNames, EveryPictureButtonHasItsJapaneseName)
{
    PhotoFrame f(2, false);
    f.frame->show();
    auto* pane = qobject_cast<CPanePhotoDlg*>(f.frame->PhotoPane()->widget());
    ASSERT_NE(pane, nullptr);
    emit pane->Grid()->DblClick(1, 1);  // 写真プロパティ
    ASSERT_NE(f.frame->findChild<app::CPropertyPhotoDlg*>(), nullptr);
    EXPECT_EQ(UnnamedButtons(*f.frame).join(u',').toStdString(), "");
    // The photo pane's five buttons are named as their tooltips.
    for (int id = 0; id < 5; ++id) {
        QAbstractButton* button = pane->findChildren<QAbstractButton*>(QRegularExpression("^PhotoPaneButton"))
                                      .value(id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), button->toolTip());
    }

    MarkStyle style;
    app::CSetMarkDlg marks(style, [] {});
    EXPECT_EQ(UnnamedButtons(marks).join(u',').toStdString(), "");
    app::CSetCoordSystemNoDlg zones(f.settings);
    EXPECT_EQ(UnnamedButtons(zones).join(u',').toStdString(), "");
    LocationMap map(1, 1);
    app::CReportLocInfoDlg info(map, FixedItemNames());
    EXPECT_EQ(UnnamedButtons(info).join(u',').toStdString(), "");
    app::CIchimillLocusDlg track(f.document, f.settings, f.temp.file("setting.bin"), app::TrackDialogHooks());
    EXPECT_EQ(UnnamedButtons(track).join(u',').toStdString(), "");
}
