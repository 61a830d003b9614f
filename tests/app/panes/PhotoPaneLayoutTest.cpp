// The photo list in the main frame at its default size: every column shown whole, also after Ctrl+A
// and on the map kind that shows the most columns.
#include <gtest/gtest.h>

#include <QDir>
#include <QDockWidget>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

#include "../frame/PhotoFrameFixture.h"
#include "app/controls/SpreadGrid.h"
#include "app/panes/PhotoPane.h"
#include "app/panes/PhotoRows.h"

using namespace app;

namespace {

// The visible columns that do not lie whole inside the list's viewport, or whose header does not fit.
QStringList CutColumns(const CSpread7U& grid)
{
    QStringList cut;
    for (int c = 0; c < grid.columnCount(); ++c) {
        if (grid.isColumnHidden(c))
            continue;
        const QString title = PhotoColumnTitle(c + 1).split(u'\n').join(u' ');
        const int left = grid.columnViewportPosition(c);
        if (left < 0 || left + grid.columnWidth(c) > grid.viewport()->width())
            cut << title;
        for (const QString& line : PhotoColumnTitle(c + 1).split(u'\n'))
            if (grid.horizontalHeader()->fontMetrics().horizontalAdvance(line) >= grid.columnWidth(c))
                cut << title + QStringLiteral(" (header)");
    }
    return cut;
}

}  // namespace

TEST(PhotoPaneLayout, EveryColumnIsWholeAtTheDefaultWindowSize)
{
    PhotoFrame f(12, false);
    // Shot times of the widest form, as a camera writes them.
    (void)f.document.Change(ProjectChange::Photos, [](Project& project) {
        for (PhotoRecord& photo : project.photos.photos) {
            photo.date = QStringLiteral("2024/12/28");
            photo.time = QStringLiteral("23:58:59");
            photo.position = fe::geo::GeoPoint(-139.123456, -35.123456);
            photo.direction = 359.5;
        }
        return true;
    });
    f.frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.frame.get()));
    EXPECT_EQ(f.frame->size(), QSize(1024, 720));  // the size of a first start
    auto* pane = qobject_cast<CPanePhotoDlg*>(f.frame->PhotoPane()->widget());
    ASSERT_NE(pane, nullptr);
    pane->FillList();
    QTest::qWait(100);
    CSpread7U& grid = *pane->Grid();
    f.frame->grab().save(QDir::current().filePath("photo-pane-default.png"));
    EXPECT_EQ(CutColumns(grid).join(u',').toStdString(), "");
    const int shotTime = kColShotTime - 1;
    EXPECT_GE(grid.columnWidth(shotTime), grid.fontMetrics().horizontalAdvance(QStringLiteral("2024/12/28")));

    // Ctrl+A selects every photo and leaves the list where it is.
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(pane->GetSelectedRows().size(), 12u);
    QTest::qWait(50);
    f.frame->grab().save(QDir::current().filePath("photo-pane-select-all.png"));
    EXPECT_EQ(grid.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(CutColumns(grid).join(u',').toStdString(), "");

    // A registered picture map in a plane zone shows the placed and plane-coordinate columns as well.
    pane->ApplyViewMode(2, 0);
    QTest::qWait(100);
    EXPECT_FALSE(grid.isColumnHidden(kColPlaneXY - 1));
    EXPECT_EQ(CutColumns(grid).join(u',').toStdString(), "");
    f.frame->grab().save(QDir::current().filePath("photo-pane-plane.png"));
}
