// Opening a project: ファイル → 開く on a project file, the title, the lists and the view follow.
#include <gtest/gtest.h>

#include "RoadDriver.h"
#include "app/frame/MainFrame.h"

TEST(Roads, OpeningAProject)
{
    road::Road road(QStringLiteral("opening-a-project"));
    road.Start();
    road.Shot(QStringLiteral("first-start"));
    road.ExpectFiles({});
    road.ChooseMenu({QStringLiteral("ファイル"), QStringLiteral("開く")});
    road.Shot(QStringLiteral("after-cancel"));
    road.Close();
}
