#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProgressBar>
#include <map>

#include "BinaryBytes.h"
#include "TempFolder.h"
#include "app/ScriptedPrompts.h"
#include "app/doc/TavrelDoc.h"
#include "model/AppSettings.h"

namespace {

const QString kNotProjectFile = QStringLiteral("ケルヴォルのファイルではありません。");

// A first-version project file (versions 2 to 6): no maps, the photos given, default headers, options
// and import settings, no tracks.
QByteArray FirstVersionFile(int version, int photos)
{
    Bytes b;
    b.text("TEKRO_SOFTWARE_LOCMAP_DOC").i32(version);
    b.i32(1).i32(1).i32(0);         // map list: counters, no map
    b.i32(photos + 1).i32(photos);  // next photo id, count
    for (int id = 1; id <= photos; ++id)
        b.i32(id)
            .f64(35.0 + id * 0.01)
            .f64(139.0)
            .f64(90.0)
            .text("2019/07/01")
            .text("10:00:00")
            .text(QStringLiteral("DSC%1.JPG").arg(id))
            .i32(id == 2 ? 270 : 0);
    for (int k = 0; k < 2; ++k)  // header labels and values
        b.text(k == 0 ? "" : "報告書").text("").text("").text("").text("");
    b.i32(1).u8(0);  // output kind, cover orientation
    if (version >= 4)
        b.i32(0).u8(0).i32(0).i32(2);
    b.u8(1).text("").u8(1).i32(10);
    if (version >= 5)
        b.i32(1).i32(1);
    b.u8(1).u8(0).text("").text("");  // import settings
    if (version >= 3)
        b.u8(1);
    if (version >= 6)
        b.i32(0);  // no track
    return b.data;
}

// A project folder <temp>/site/ with a first-version file site.kvr and the stored photos it names.
struct FirstVersionProject
{
    TempFolder temp;
    QString folder = temp.path() + QStringLiteral("/site/");
    QString kvr = folder + QStringLiteral("site.kvr");
    QString kvr2 = folder + QStringLiteral("site.kvr2");

    explicit FirstVersionProject(int version, int photos = 3)
    {
        for (const char* sub : {"photo", "photomini"})
            QDir().mkpath(folder + sub);
        for (int id = 1; id <= photos; ++id) {
            QImage picture(400, 300, QImage::Format_RGB32);
            picture.fill(Qt::darkGreen);
            EXPECT_TRUE(
                picture.save(folder + QStringLiteral("photo/p%1.jpg").arg(id, 6, 10, QLatin1Char('0'))));
        }
        WriteAll(kvr, FirstVersionFile(version, photos));
    }
};

struct Document
{
    app::ScriptedPrompts prompts;
    AppSettings settings;
    QStringList recent;
    CTavrelDoc doc;

    Document()
    {
        doc.appSettings = &settings;
        doc.addRecentProjectFile = [this](const QString& path) { recent.append(path); };
    }

    QStringList Messages() const
    {
        QStringList texts;
        for (const auto& asked : prompts.asked())
            texts.append(asked.text);
        return texts;
    }
};

int Files(const QString& folder)
{
    return static_cast<int>(QDir(folder).entryList(QDir::Files).size());
}

}  // namespace

TEST(TavrelDoc, ForeignShortAndTooNewFilesAreRefusedWithTheirMessage)
{
    TempFolder temp;
    struct Case
    {
        const char* name;
        QByteArray file;
        QString message;
    };
    QByteArray version9 = Bytes().text("TEKRO_SOFTWARE_LOCMAP_DOC").i32(9).data;
    const Case cases[] = {
        {"text file", "site photos\r\nnot a project\r\n", kNotProjectFile},
        {"ten bytes", QByteArray(10, '\x19'), kNotProjectFile},
        {"magic without version", Bytes().text("TEKRO_SOFTWARE_LOCMAP_DOC").data, kNotProjectFile},
        {"negative version", Bytes().text("TEKRO_SOFTWARE_LOCMAP_DOC").i32(-1).data, kNotProjectFile},
        {"version 9", version9, QStringLiteral("サポートしていないファイルバージョンです")},
        {"empty file", QByteArray(), kNotProjectFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = temp.file("p.kvr2");
        WriteAll(path, c.file);
        Document d;
        EXPECT_EQ(d.doc.OpenProjectFile(path), 1);
        ASSERT_EQ(d.prompts.asked().size(), 1u);
        EXPECT_EQ(d.prompts.asked()[0].text, c.message);
        EXPECT_EQ(d.prompts.asked()[0].caption, QStringLiteral("ケルヴォル"));
        EXPECT_EQ(d.prompts.asked()[0].icon, app::PromptIcon::Warning);
        EXPECT_TRUE(d.recent.isEmpty());
    }
    Document d;
    EXPECT_EQ(d.doc.OpenProjectFile(temp.file("missing.kvr2")), 1);
    EXPECT_EQ(d.Messages(), QStringList({kNotProjectFile}));
}

TEST(TavrelDoc, DecliningTheConversionLeavesTheOpenProjectAlone)
{
    FirstVersionProject v5(5);
    Project open;
    ASSERT_EQ(open.CreateNew(QStringLiteral("open"), v5.temp.path()), kProjectOk);
    Document d;
    ASSERT_EQ(d.doc.OpenProjectFile(open.ProjectFilePath()), kDocOpened);
    d.prompts.QueueAnswer(app::PromptAnswer::No);
    EXPECT_EQ(d.doc.OpenProjectFile(v5.kvr), 2);
    ASSERT_EQ(d.prompts.asked().size(), 1u);
    EXPECT_TRUE(d.prompts.asked()[0].text.startsWith(
        QStringLiteral("指定のファイルはケルヴォル Ver1のファイルです。\n")));
    EXPECT_EQ(d.prompts.asked()[0].buttons, app::PromptButtons::YesNo);
    EXPECT_EQ(d.doc.GetProject().name, QStringLiteral("open"));
    EXPECT_EQ(d.doc.ProjectFilePath(), open.ProjectFilePath());
    EXPECT_TRUE(QFile::exists(v5.kvr));
    EXPECT_FALSE(QFile::exists(v5.kvr2));
}

TEST(TavrelDoc, AcceptedConversionRemakesThumbnailsSavesTheNewFileAndOnlyThenDeletesTheOld)
{
    FirstVersionProject v6(6);
    Document d;
    d.prompts.QueueAnswer(app::PromptAnswer::Yes);
    ASSERT_EQ(d.doc.OpenProjectFile(v6.kvr), 0);
    EXPECT_EQ(d.Messages().size(), 1);  // the question only
    EXPECT_FALSE(QFile::exists(v6.kvr));
    EXPECT_TRUE(QFile::exists(v6.kvr2));
    for (const char* sub : {"photomini", "photominiM", "photominiL"})
        EXPECT_EQ(Files(v6.folder + sub), 3) << sub;
    EXPECT_EQ(QImage(v6.folder + "photomini/p000002.jpg").size(), QSize(48, 64));  // turned by 270
    EXPECT_EQ(d.doc.ProjectFilePath(), v6.kvr2);
    EXPECT_EQ(d.doc.ProjectFileName(), QStringLiteral("site.kvr2"));
    EXPECT_EQ(d.recent, QStringList({v6.kvr2}));
    EXPECT_EQ(d.settings.lastProjectPath, v6.kvr2);
    ASSERT_EQ(d.doc.GetProject().photos.photos.size(), 3u);

    // The converted file opens as a current project, also from a path with blanks around it.
    Document again;
    ASSERT_EQ(again.doc.OpenProjectFile(QStringLiteral("  ") + v6.kvr2 + QStringLiteral(" ")), 0);
    EXPECT_TRUE(again.Messages().isEmpty());
    EXPECT_EQ(again.doc.ProjectFilePath(), v6.kvr2);
    ASSERT_EQ(again.doc.GetProject().photos.photos.size(), 3u);
    EXPECT_EQ(again.doc.GetProject().photos.photos[2].sourceName, QStringLiteral("DSC3.JPG"));
    EXPECT_EQ(again.doc.GetProject().photos.photos[1].rotation, 270);
}

// Every file below the folder with its bytes, to tell that nothing on disk changed.
std::map<QString, QByteArray> FilesBelow(const QString& folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files[path] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    return files;
}

TEST(TavrelDoc, AConversionOverACurrentProjectAsksNamingItAndOnNoChangesNothing)
{
    // A current project site.kvr2 with one photo lies beside the first-version site.kvr of three photos.
    FirstVersionProject v6(6);
    Project current;
    current.name = QStringLiteral("site");
    current.folder = v6.folder;
    current.photos.photos.resize(1);
    current.photos.photos[0].id = 7;
    current.photos.photos[0].sourceName = QStringLiteral("CURRENT.JPG");
    ASSERT_EQ(current.Save(), kProjectOk);

    Project open;
    ASSERT_EQ(open.CreateNew(QStringLiteral("open"), v6.temp.path()), kProjectOk);
    Document d;
    ASSERT_EQ(d.doc.OpenProjectFile(open.ProjectFilePath()), kDocOpened);
    const auto withOpen = FilesBelow(v6.temp.path());

    d.prompts.QueueAnswer(app::PromptAnswer::Yes);  // convert
    d.prompts.QueueAnswer(app::PromptAnswer::No);   // but do not replace site.kvr2
    EXPECT_EQ(d.doc.OpenProjectFile(v6.kvr), kDocOpenDeclined);
    ASSERT_EQ(d.prompts.asked().size(), 2u);
    const auto& replace = d.prompts.asked()[1];
    EXPECT_TRUE(replace.text.contains(v6.kvr2)) << replace.text.toStdString();
    EXPECT_EQ(replace.buttons, app::PromptButtons::YesNo);
    EXPECT_EQ(FilesBelow(v6.temp.path()), withOpen);
    EXPECT_EQ(d.doc.GetProject().name, QStringLiteral("open"));
    EXPECT_EQ(d.doc.ProjectFilePath(), open.ProjectFilePath());
    EXPECT_EQ(d.recent, QStringList({open.ProjectFilePath()}));

    // Agreed to, the conversion replaces the current file.
    d.prompts.QueueAnswer(app::PromptAnswer::Yes);
    d.prompts.QueueAnswer(app::PromptAnswer::Yes);
    ASSERT_EQ(d.doc.OpenProjectFile(v6.kvr), kDocOpened);
    EXPECT_FALSE(QFile::exists(v6.kvr));
    EXPECT_EQ(d.doc.GetProject().photos.photos.size(), 3u);
    Document again;
    ASSERT_EQ(again.doc.OpenProjectFile(v6.kvr2), kDocOpened);
    EXPECT_EQ(again.doc.GetProject().photos.photos.size(), 3u);
}

TEST(TavrelDoc, TheConversionsProgressIsPaintedAtEachPhotoThoughItLetsNoEventsThrough)
{
    // Paints of the progress bar of the conversion's window, counted as they happen.
    struct PaintCount : QObject
    {
        int paints = 0;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            auto* bar = qobject_cast<QProgressBar*>(watched);
            if (bar && event->type() == QEvent::Paint &&
                bar->window()->windowTitle() == QStringLiteral("サムネイル作成中"))
                ++paints;
            return false;
        }
    } count;
    qApp->installEventFilter(&count);
    FirstVersionProject v6(6, 4);
    Document d;
    d.prompts.QueueAnswer(app::PromptAnswer::Yes);
    EXPECT_EQ(d.doc.OpenProjectFile(v6.kvr), 0);
    qApp->removeEventFilter(&count);
    EXPECT_GE(count.paints, 4);
}

TEST(TavrelDoc, AConversionRemovesTheFirstVersionFileWhateverTheCaseOfItsExtension)
{
    FirstVersionProject v6(6);
    const QString upper = v6.folder + QStringLiteral("site.KVR");
    ASSERT_TRUE(QFile::rename(v6.kvr, upper));
    Document d;
    d.prompts.QueueAnswer(app::PromptAnswer::Yes);
    ASSERT_EQ(d.doc.OpenProjectFile(upper), 0);
    EXPECT_FALSE(QFile::exists(upper));
    EXPECT_TRUE(QFile::exists(v6.kvr2));
    EXPECT_EQ(d.doc.ProjectFilePath(), v6.kvr2);
}

TEST(TavrelDoc, AConversionThatCannotBeSavedKeepsTheFirstVersionFile)
{
    FirstVersionProject v6(6);
    ASSERT_TRUE(QDir().mkpath(v6.kvr2));  // a folder where the new file would go
    Document d;
    d.prompts.QueueAnswer(app::PromptAnswer::Yes);
    EXPECT_EQ(d.doc.OpenProjectFile(v6.kvr), 1);
    ASSERT_EQ(d.Messages().size(), 2);
    EXPECT_TRUE(QFile::exists(v6.kvr));
    EXPECT_TRUE(d.recent.isEmpty());
    EXPECT_TRUE(d.settings.lastProjectPath.isEmpty());
}

TEST(TavrelDoc, PromptOpenProjectStartsBesideTheLastProjectAndReportsCancelAndMissingFiles)
{
    TempFolder temp;
    ASSERT_TRUE(QDir().mkpath(temp.file("jobs/bridge")));
    Document d;
    d.settings.lastProjectPath = temp.file("jobs/bridge/bridge.kvr2");
    EXPECT_EQ(d.doc.PromptOpenProject(), 2);  // the scripted dialog cancels
    ASSERT_EQ(d.prompts.asked().size(), 1u);
    EXPECT_EQ(d.doc.OpenDialogFolder(), temp.file("jobs"));
    EXPECT_TRUE(d.prompts.asked()[0].filter.contains(QStringLiteral("*.kvr2")));
    EXPECT_TRUE(d.prompts.asked()[0].filter.contains(QStringLiteral("*.KVR")));

    d.prompts.QueueFiles({temp.file("jobs/none.kvr2")});
    EXPECT_EQ(d.doc.PromptOpenProject(), 3);

    // Without a usable last project the dialog starts in the executable's folder.
    d.settings.lastProjectPath = temp.file("gone/gone/gone.kvr2");
    EXPECT_EQ(d.doc.OpenDialogFolder(), d.doc.exeFolder);
}
