// 番号付番 over a real project: serial working numbers, applying and clearing them, the end of numbering
// with pending numbers, and a start number that cannot be stored.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "../frame/PhotoFrameFixture.h"
#include "app/controls/ExpEdit.h"
#include "app/photos/NumberingDlg.h"

namespace {

// A ledger of the whole map, as the photo ledger numbers when no block of rows is selected.
struct FakeLedger final : app::NumberingLedger
{
    CTavrelDoc& document;
    int closed = 0;
    int filled = 0;

    explicit FakeLedger(CTavrelDoc& doc) : document(doc) {}
    void NumberSerially() override
    {
        (void)document.Change(ProjectChange::Selection, [](Project& project) {
            project.maps.maps[0].photos.AssignDisplayNumbers();
            return true;
        });
    }
    void ApplyNewNumbers() override
    {
        (void)document.Change(ProjectChange::PlacedPhotos, [](Project& project) {
            for (PlacedPhoto& entry : project.maps.maps[0].photos.entries)
                if (!entry.workNumber.isEmpty()) {
                    entry.numberText = entry.workNumber;
                    entry.workNumber.clear();
                }
            return true;
        });
    }
    void FillGrid() override { ++filled; }
    void CloseNumberingDialog() override { ++closed; }
};

struct NumberingFixture : PhotoFrame
{
    FakeLedger ledger{document};

    NumberingFixture() : PhotoFrame(3)
    {
        (void)document.Change(ProjectChange::Maps, [](Project& project) {
            project.maps.Append(project.maps.MakeNewMap());
            for (const PhotoRecord& photo : project.photos.photos) {
                PlacedPhoto entry;
                entry.photoId = photo.id;
                entry.x = 10;
                entry.y = 10;
                EXPECT_TRUE(project.maps.maps[0].photos.Add(entry));
            }
            return true;
        });
    }
    const PlacedPhotoList& Placed() const { return document.GetProject().maps.maps[0].photos; }
    std::vector<QString> Texts(QString PlacedPhoto::*field) const
    {
        std::vector<QString> texts;
        for (const PlacedPhoto& entry : Placed().entries)
            texts.push_back(entry.*field);
        return texts;
    }
    PlacedPhotoList Saved() const
    {
        CTavrelDoc reread;
        EXPECT_EQ(reread.OpenProjectFile(document.ProjectFilePath()), kDocOpened);
        return reread.GetProject().maps.maps.at(0).photos;
    }
    void Type(app::CSetNumberingIdDlg& dialog, const QString& prefix, const QString& start, const QString& suffix)
    {
        dialog.PrefixEdit()->setText(prefix);
        dialog.StartEdit()->setText(start);
        dialog.SuffixEdit()->setText(suffix);
    }
};

}  // namespace

TEST(NumberingDialog, SerialNumbersFollowTheSchemeAndTheSchemeIsSaved)
{
    NumberingFixture f;
    app::CSetNumberingIdDlg dialog(f.document, f.ledger, 0);
    EXPECT_EQ(dialog.PrefixEdit()->text(), QStringLiteral("P"));
    EXPECT_EQ(dialog.StartEdit()->text(), QStringLiteral("1"));

    f.Type(dialog, QStringLiteral("P"), QStringLiteral("5"), QStringLiteral("-a"));
    dialog.NumberSerially();
    EXPECT_EQ(f.Texts(&PlacedPhoto::workNumber), std::vector<QString>({"P5-a", "P6-a", "P7-a"}));
    const PlacedPhotoList saved = f.Saved();
    EXPECT_EQ(saved.prefix, QStringLiteral("P"));
    EXPECT_EQ(saved.suffix, QStringLiteral("-a"));
    EXPECT_EQ(saved.firstNumber, 5);
    EXPECT_TRUE(saved.entries[0].workNumber.isEmpty());  // working numbers are never stored

    // Entries that already have a working number keep it and are not counted.
    dialog.ClearNumbers();
    EXPECT_EQ(f.ledger.filled, 1);
    (void)f.document.Change(ProjectChange::Selection, [](Project& project) {
        project.maps.maps[0].photos.entries[1].workNumber = QStringLiteral("X");
        return true;
    });
    f.Type(dialog, QStringLiteral("No."), QStringLiteral("5"), QString());
    dialog.NumberSerially();
    EXPECT_EQ(f.Texts(&PlacedPhoto::workNumber), std::vector<QString>({"No.5", "X", "No.6"}));

    dialog.ApplyNumbers();
    EXPECT_EQ(f.Texts(&PlacedPhoto::numberText), std::vector<QString>({"No.5", "X", "No.6"}));
    EXPECT_EQ(f.Saved().entries[2].numberText, QStringLiteral("No.6"));
}

TEST(NumberingDialog, AnEmptyStartNumbersNothingAndKeepsTheMapsFirstNumber)
{
    NumberingFixture f;
    app::CSetNumberingIdDlg dialog(f.document, f.ledger, 0);
    f.Type(dialog, QStringLiteral("Q"), QStringLiteral("7"), QString());
    dialog.ApplyNumbers();
    ASSERT_EQ(f.Saved().firstNumber, 7);

    f.Type(dialog, QStringLiteral("Q"), QString(), QString());
    dialog.NumberSerially();
    ASSERT_EQ(f.prompts.asked().size(), 1u);
    EXPECT_EQ(f.prompts.asked()[0].text, QStringLiteral("連番開始番号が未入力です。"));
    EXPECT_EQ(f.prompts.asked()[0].icon, app::PromptIcon::None);
    EXPECT_EQ(f.Texts(&PlacedPhoto::workNumber), std::vector<QString>(3));

    // Applying or ending with the start empty stores the texts but never an impossible first number.
    f.Type(dialog, QStringLiteral("R"), QString(), QString());
    dialog.ApplyNumbers();
    dialog.EndNumbering();
    EXPECT_EQ(f.Placed().firstNumber, 7);
    EXPECT_EQ(f.Saved().firstNumber, 7);
    EXPECT_EQ(f.Saved().prefix, QStringLiteral("R"));
    dialog.LoadNumbering();
    EXPECT_EQ(dialog.StartEdit()->text(), QStringLiteral("7"));
}

TEST(NumberingDialog, EndingWithPendingNumbersAsksWhetherToApplyThem)
{
    struct Case
    {
        app::PromptAnswer answer;
        std::vector<QString> numbers;  // number texts afterwards
        bool pending;                  // working numbers still there
        int closed;
    };
    const std::vector<QString> none(3);
    const Case cases[] = {
        {app::PromptAnswer::Yes, {"P1", "P2", "P3"}, false, 1},
        {app::PromptAnswer::No, none, true, 1},
        {app::PromptAnswer::Cancel, none, true, 0},
    };
    for (const Case& c : cases) {
        NumberingFixture f;
        app::CSetNumberingIdDlg dialog(f.document, f.ledger, 0);
        dialog.NumberSerially();
        f.prompts.clear();
        f.prompts.QueueAnswer(c.answer);
        dialog.EndNumbering();
        ASSERT_EQ(f.prompts.asked().size(), 1u);
        EXPECT_EQ(f.prompts.asked()[0].text, QStringLiteral("変更後番号を適用しますか？"));
        EXPECT_EQ(f.prompts.asked()[0].buttons, app::PromptButtons::YesNoCancel);
        EXPECT_EQ(f.prompts.asked()[0].icon, app::PromptIcon::Question);
        EXPECT_EQ(f.Texts(&PlacedPhoto::numberText), c.numbers);
        EXPECT_EQ(!f.Texts(&PlacedPhoto::workNumber)[0].isEmpty(), c.pending);
        EXPECT_EQ(f.ledger.closed, c.closed);
    }

    // Cleared numbers leave nothing to ask about; Esc never ends the dialog.
    NumberingFixture f;
    app::CSetNumberingIdDlg dialog(f.document, f.ledger, 0);
    dialog.show();
    dialog.NumberSerially();
    dialog.ClearNumbers();
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    f.prompts.clear();
    dialog.EndNumbering();
    EXPECT_TRUE(f.prompts.asked().empty());
    EXPECT_EQ(f.ledger.closed, 1);
}
