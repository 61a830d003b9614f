// The main frame's private messages: the orders of the photo list, the selection and the current map as
// flags of the project, the flow stage, messages handed to their owners, and messages refused while a
// command runs.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QFile>
#include <QTest>

#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/CommandIds.h"
#include "app/frame/FrameMessages.h"
#include "app/frame/MainFrame.h"
#include "app/frame/PhotoOrdering.h"
#include "app/frame/Profile.h"
#include "model/AppSettings.h"

namespace {

PhotoRecord Photo(int id, double latitude, double longitude = 139.0)
{
    PhotoRecord photo(id);
    if (latitude != kUnset)
        photo.position = fe::geo::GeoPoint(longitude, latitude);
    return photo;
}

std::vector<int> Ids(const std::vector<PhotoRecord>& photos)
{
    std::vector<int> ids;
    for (const PhotoRecord& photo : photos)
        ids.push_back(photo.id);
    return ids;
}

// A frame over a fresh project with photos at the given latitudes (kUnset for none), ids 1, 2, ...
// The photo pane is stood in for by `rows`, the flow pane by `stages`.
struct MessageFrame
{
    TempFolder temp;
    app::ScriptedPrompts prompts;
    AppSettings settings;
    CTavrelDoc document;
    std::unique_ptr<CMainFrame> frame;
    std::vector<int> rows;
    std::vector<int> stages;
    int fills = 0;

    explicit MessageFrame(const std::vector<double>& latitudes = {})
    {
        QFile::remove(app::ProfilePath());
        document.appSettings = &settings;
        frame = std::make_unique<CMainFrame>(&document);
        app::FramePaneLinks& links = frame->PaneLinks();
        links.selectedPhotoRows = [this] { return rows; };
        links.selectPhotoRows = [this](const std::vector<int>& r) { rows = r; };
        links.fillPhotoList = [this] { ++fills; };
        links.showFlowStage = [this](int stage) { stages.push_back(stage); };
        prompts.QueueFiles({temp.file("Site.kvr2")});
        frame->Action(app::kCmdFileNew)->trigger();
        EXPECT_TRUE(document.GetProject().HasPath());
        (void)document.Change(ProjectChange::Photos, [&](Project& project) {
            for (double latitude : latitudes)
                project.photos.photos.push_back(Photo(project.photos.nextId++, latitude));
            return true;
        });
        prompts.clear();
        stages.clear();
    }

    std::vector<int> Selected() const
    {
        std::vector<int> ids;
        for (const PhotoRecord& photo : document.GetProject().photos.photos)
            if (photo.flags & PhotoRecord::kFlagSelected)
                ids.push_back(photo.id);
        return ids;
    }
};

}  // namespace

TEST(PhotoOrdering, SortsByPositionWithUnplacedPhotosLast)
{
    struct Case
    {
        app::PhotoSortOrder order;
        std::vector<int> ids;
    };
    // Photo 1 at 35.1 N 139.2 E, 2 without a position, 3 at 35.3 N 139.1 E, 4 without a longitude.
    const Case cases[] = {
        {app::PhotoSortOrder::LatitudeDescending, {3, 1, 2, 4}},
        {app::PhotoSortOrder::LatitudeAscending, {1, 3, 2, 4}},
        {app::PhotoSortOrder::LongitudeAscending, {3, 1, 2, 4}},
        {app::PhotoSortOrder::LongitudeDescending, {1, 3, 2, 4}},
    };
    for (const Case& c : cases) {
        std::vector<PhotoRecord> photos = {Photo(1, 35.1, 139.2), Photo(2, kUnset), Photo(3, 35.3, 139.1),
                                           Photo(4, 35.2, kUnset)};
        app::SortPhotos(photos, c.order);
        EXPECT_EQ(Ids(photos), c.ids) << int(c.order);
    }
}

TEST(PhotoOrdering, MovesABlockOnePlaceWithinTheList)
{
    struct Case
    {
        bool up;
        long long a, b;
        std::vector<int> ids;  // of photos 1..5 after the move
        int first, last;       // reselected indexes; last < first when nothing moved
    };
    const Case cases[] = {
        {true, 2, 3, {1, 3, 4, 2, 5}, 1, 2},
        {true, 3, 2, {1, 3, 4, 2, 5}, 1, 2},     // either order
        {true, 0, 1, {2, 1, 3, 4, 5}, 0, 0},     // the top photo stays; the rest of the block moves
        {true, 0, 0, {1, 2, 3, 4, 5}, 0, -1},    // nothing above the top
        {false, 1, 2, {1, 4, 2, 3, 5}, 2, 3},
        {false, 3, 4, {1, 2, 3, 5, 4}, 4, 4},    // a block ending at the last photo: the one before it
        {false, 4, 4, {1, 2, 3, 4, 5}, 0, -1},   // the last photo alone: nothing below it
        {true, 3, 99, {1, 2, 4, 5, 3}, 2, 3},    // cut to the list
        {false, -7, 1, {3, 1, 2, 4, 5}, 1, 2},   // cut to the list
        {true, 10, 20, {1, 2, 3, 4, 5}, 0, -1},  // wholly outside: nothing
        {true, 65538, 65539, {1, 3, 4, 2, 5}, 1, 2},  // read as 16-bit rows 2 and 3
    };
    for (const Case& c : cases) {
        std::vector<PhotoRecord> photos = {Photo(1, 1), Photo(2, 2), Photo(3, 3), Photo(4, 4), Photo(5, 5)};
        const app::MovedPhotoBlock moved = app::MovePhotoBlock(photos, c.a, c.b, c.up);
        EXPECT_EQ(Ids(photos), c.ids) << c.up << " " << c.a << ".." << c.b;
        if (c.last < c.first) {
            EXPECT_TRUE(moved.Empty()) << c.a << ".." << c.b;
        } else {
            EXPECT_EQ(moved.first, c.first) << c.a << ".." << c.b;
            EXPECT_EQ(moved.last, c.last) << c.a << ".." << c.b;
        }
    }
    std::vector<PhotoRecord> none;
    EXPECT_TRUE(app::MovePhotoBlock(none, 0, 0, false).Empty());
    EXPECT_TRUE(app::MovePhotoBlock(none, 0, 0, true).Empty());
}

TEST(FrameMessages, SortingKeepsTheSelectionOnItsPhotosAndIsSaved)
{
    MessageFrame f({35.1, kUnset, 35.3});
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgSelectPhoto, 3), 1);
    EXPECT_EQ(f.rows, std::vector<int>({3}));
    EXPECT_EQ(f.Selected(), std::vector<int>({3}));

    const int fillsBefore = f.fills;
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgSortLatDesc), 1);
    EXPECT_EQ(Ids(f.document.GetProject().photos.photos), std::vector<int>({3, 1, 2}));
    EXPECT_EQ(f.fills, fillsBefore + 1);
    EXPECT_EQ(f.rows, std::vector<int>({1}));  // photo 3 is the first row now
    EXPECT_EQ(f.Selected(), std::vector<int>({3}));
    f.frame->SendAppMessage(app::kMsgSortLatAsc);
    EXPECT_EQ(Ids(f.document.GetProject().photos.photos), std::vector<int>({1, 3, 2}));
    EXPECT_EQ(f.rows, std::vector<int>({2}));

    // The order is in the project file: quitting right after a sort keeps it.
    CTavrelDoc reread;
    ASSERT_EQ(reread.OpenProjectFile(f.document.ProjectFilePath()), kDocOpened);
    EXPECT_EQ(Ids(reread.GetProject().photos.photos), std::vector<int>({1, 3, 2}));
}

TEST(FrameMessages, SelectionMessagesSetTheFlagsOfTheChosenPhotosOnly)
{
    MessageFrame f({35.0, 35.1, 35.2});
    f.frame->SendAppMessage(app::kMsgSelectPhoto, 2);
    f.frame->SendAppMessage(app::kMsgAddPhotoToSelection, 3);
    EXPECT_EQ(f.rows, std::vector<int>({2, 3}));
    EXPECT_EQ(f.Selected(), std::vector<int>({2, 3}));

    // An id that is not in the project clears the selection, as -1 does.
    f.frame->SendAppMessage(app::kMsgAddPhotoToSelection, 77);
    EXPECT_TRUE(f.rows.empty());
    EXPECT_TRUE(f.Selected().empty());
    f.frame->SendAppMessage(app::kMsgSelectPhoto, 1);
    f.frame->SendAppMessage(app::kMsgSelectPhoto, -1);
    EXPECT_TRUE(f.Selected().empty());

    // The pane's own selection: rows outside the list are ignored.
    f.rows = {1, 3, 9};
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgPhotoSelectionChanged), 1);
    EXPECT_EQ(f.Selected(), std::vector<int>({1, 3}));
    EXPECT_EQ(f.frame->PhotoPane()->windowTitle(), QStringLiteral("撮影写真　枚数：全て(3)"));
}

TEST(FrameMessages, MovingPhotosSavesTheOrderAndReselectsTheBlock)
{
    MessageFrame f({1, 2, 3, 4});
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgMovePhotosDown, 2, 3), 1);
    EXPECT_EQ(Ids(f.document.GetProject().photos.photos), std::vector<int>({1, 2, 4, 3}));
    EXPECT_EQ(f.rows, std::vector<int>({4}));
    // Rows beyond the list move nothing and leave the selection.
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgMovePhotosUp, 40, 50), 0);
    EXPECT_EQ(f.rows, std::vector<int>({4}));
    CTavrelDoc reread;
    ASSERT_EQ(reread.OpenProjectFile(f.document.ProjectFilePath()), kDocOpened);
    EXPECT_EQ(Ids(reread.GetProject().photos.photos), std::vector<int>({1, 2, 4, 3}));
}

TEST(FrameMessages, TheCurrentMapFlagFollowsTheMapPane)
{
    MessageFrame f;
    (void)f.document.Change(ProjectChange::Maps, [](Project& project) {
        return project.maps.AddWebMap(2, Rect2(139.0, 35.0, 139.1, 35.1), 16, false) &&
               project.maps.AddWebMap(2, Rect2(139.2, 35.0, 139.3, 35.1), 16, false);
    });
    int current = 1;
    f.frame->PaneLinks().currentMapIndex = [&current] { return current; };
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgCurrentMapChanged), 1);
    const auto flags = [&f] {
        std::vector<bool> current;
        for (const LocationMap& map : f.document.GetProject().maps.maps)
            current.push_back(map.IsCurrent());
        return current;
    };
    EXPECT_EQ(flags(), std::vector<bool>({false, true}));
    current = -1;
    f.frame->SendAppMessage(app::kMsgCurrentMapChanged);
    EXPECT_EQ(flags(), std::vector<bool>({false, false}));
}

TEST(FrameMessages, TheFlowStageStaysWhileTheLedgerOrSiteMapDialogShows)
{
    MessageFrame f;
    f.frame->SendAppMessage(app::kMsgFlowStageOutput);
    EXPECT_EQ(f.frame->FlowStage(), 2);
    EXPECT_EQ(f.stages, std::vector<int>({2}));
    f.frame->SendAppMessage(app::kMsgFlowStageOutput);  // already shown: nothing
    EXPECT_EQ(f.stages, std::vector<int>({2}));

    bool ledger = true;
    f.frame->SetStateSource([&ledger](app::UiState& s) { s.ledgerDialogVisible = ledger; });
    f.frame->SendAppMessage(app::kMsgFlowStageArrange);
    EXPECT_EQ(f.frame->FlowStage(), 2);
    EXPECT_EQ(f.stages, std::vector<int>({2, 2}));  // the pane shows the stored stage again
    ledger = false;
    f.frame->SendAppMessage(app::kMsgResetFlowPane);
    EXPECT_EQ(f.frame->FlowStage(), 0);
    EXPECT_EQ(f.stages.back(), 0);
}

TEST(FrameMessages, OtherMessagesReachTheirOwnersOrTheirCommand)
{
    MessageFrame f;
    std::vector<std::pair<qintptr, qintptr>> ledger;
    f.frame->SetMessageHandler(app::kMsgOpenLedgerDlg, [&ledger](qintptr w, qintptr l) {
        ledger.emplace_back(w, l);
        return qintptr(1);
    });
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgOpenLedgerDlg, 4, -1), 1);
    ASSERT_EQ(ledger.size(), 1u);
    EXPECT_EQ(ledger[0], std::make_pair(qintptr(4), qintptr(-1)));
    // Without a handler: 0, nothing else.
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgLedgerSelectionChanged), 0);

    // The flow pane's output step runs the menu's output command, under the command's rule.
    int reports = 0;
    f.frame->SetCommandHandler(app::kCmdOutputReport, [&reports] { ++reports; });
    f.frame->SendAppMessage(app::kMsgOutputReport);
    EXPECT_EQ(reports, 0);  // no location map yet
    f.frame->SetStateSource([](app::UiState& s) { s.mapCount = 1; });
    f.frame->SendAppMessage(app::kMsgOutputReport);
    EXPECT_EQ(reports, 1);

    // Without a document the messages do nothing.
    CMainFrame bare;
    EXPECT_EQ(bare.SendAppMessage(app::kMsgSortLatAsc), 0);
    EXPECT_EQ(bare.SendAppMessage(app::kMsgSelectPhoto, 1), 0);
}

TEST(FrameMessages, ProjectChangesAreRefusedWhileACommandRuns)
{
    MessageFrame f({35.1, 35.3});
    qintptr created = -1;
    qintptr sorted = -1;
    ASSERT_TRUE(f.document.RunCommand([&] {
        // As a click on the flow pane's 新規作成 or a sort button during a long import.
        created = f.frame->SendAppMessage(app::kMsgNewProject);
        sorted = f.frame->SendAppMessage(app::kMsgSortLatDesc);
    }));
    EXPECT_EQ(created, 0);
    EXPECT_EQ(sorted, 0);
    EXPECT_TRUE(f.prompts.asked().empty());
    EXPECT_EQ(Ids(f.document.GetProject().photos.photos), std::vector<int>({1, 2}));
    EXPECT_EQ(f.document.GetProject().name, QStringLiteral("Site"));

    // Afterwards the same message asks its question.
    f.prompts.QueueAnswer(app::PromptAnswer::No);
    EXPECT_EQ(f.frame->SendAppMessage(app::kMsgNewProject), 1);
    EXPECT_EQ(f.prompts.asked().size(), 1u);
}
