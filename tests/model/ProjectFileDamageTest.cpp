// Damaged project files: whatever the bytes, the reader ends without a crash, a hang or an allocation
// sized by a stored count, and never reports success for a file it could not read to its end.
#include <gtest/gtest.h>

#include <QtEndian>
#include <random>
#include <set>

#include "ProjectFileFixture.h"
#include "ProjectFileTestSupport.h"
#include "model/ProjectResult.h"

namespace {

const std::set<int> kFailureResults = {kProjectFileException, kProjectNotProjectFile,
                                       kProjectUnsupportedVersion, kProjectLoadFailed};

}  // namespace

TEST(ProjectFileDamage, EveryTruncatedFileFails)
{
    const struct
    {
        const char* what;
        QByteArray bytes;
    } files[] = {
        {"version 8 fixture", ProjectFixtureFile(8)},
        {"version 6 fixture", ProjectFixtureFile(6)},
        {"version 1 fixture", ProjectFixtureFile(1)},
    };
    ProjectBytesReader reader;
    Project project;
    for (const auto& file : files) {
        SCOPED_TRACE(file.what);
        ASSERT_EQ(reader.Read(file.bytes, project), kProjectOk);
        for (qsizetype size = 0; size < file.bytes.size(); ++size) {
            const int result = reader.Read(file.bytes.left(size), project);
            ASSERT_TRUE(kFailureResults.count(result)) << "cut at " << size << " gave " << result;
        }
    }
    // The larger project: its start and end whole, and every seventh length between them.
    const QByteArray full = WrittenBytes(MakeFullProject());
    for (qsizetype size = 0; size < full.size(); ++size) {
        if (size > 300 && size < full.size() - 64 && size % 7 != 0)
            continue;
        ASSERT_TRUE(kFailureResults.count(reader.Read(full.left(size), project))) << "cut at " << size;
    }
}

// Every four bytes of the file in turn replaced by the largest and by a negative count: wherever a count
// lies, the reader must not size anything by it.
TEST(ProjectFileDamage, HugeAndNegativeCountsFailWithoutAllocatingForThem)
{
    const QByteArray fixture = ProjectFixtureFile(8);
    ProjectBytesReader reader;
    Project project;
    int failures = 0;
    for (std::int32_t count : {std::numeric_limits<std::int32_t>::max(), 0x10000000, -1}) {
        for (qsizetype at = 0; at + 4 <= fixture.size(); ++at) {
            QByteArray damaged = fixture;
            qToLittleEndian(count, damaged.data() + at);
            const int result = reader.Read(damaged, project);
            ASSERT_TRUE(result == kProjectOk || kFailureResults.count(result)) << "at " << at;
            failures += result != kProjectOk;
        }
    }
    EXPECT_GT(failures, 0);
}

// A negative record count is damage, whatever follows it: read as no records, a count of 0 would let the
// file load whole with its records silently missing. Each count of the hand-built files in turn.
TEST(ProjectFileDamage, EachNegativeCountFailsTheFile)
{
    const std::map<std::string, int> expected = {
        {"maps", kProjectFileException},
        {"placed photos", kProjectFileException},
        {"site map placed photos", kProjectFileException},
        {"survey items", kProjectFileException},
        {"survey photo rows", kProjectFileException},
        {"comment lines", kProjectFileException},
        {"photos", kProjectFileException},
        {"tracks", kProjectLoadFailed},
        {"track points", kProjectLoadFailed},
        {"site maps", kProjectFileException},
    };
    const struct
    {
        const char* what;
        Bytes file;
    } files[] = {
        {"empty project", EmptyProjectBytes()},
        {"version 8 fixture", ProjectFixtureBytes(8)},
        {"version 1 fixture", ProjectFixtureBytes(1)},
    };
    ProjectBytesReader reader;
    std::set<std::string> tried;
    for (const auto& file : files) {
        for (const auto& [what, at] : file.file.counts) {
            SCOPED_TRACE(std::string(file.what) + ", " + what);
            ASSERT_TRUE(expected.count(what));
            for (std::int32_t negative : {-1, std::numeric_limits<std::int32_t>::min()}) {
                QByteArray damaged = file.file.data;
                qToLittleEndian(negative, damaged.data() + at);
                Project project;
                EXPECT_EQ(reader.Read(damaged, project), expected.at(what)) << negative;
            }
            tried.insert(what);
        }
    }
    EXPECT_EQ(tried.size(), expected.size());
}

TEST(ProjectFileDamage, RandomlyChangedBytesNeverCrashTheReader)
{
    const QByteArray original = WrittenBytes(MakeFullProject());
    std::mt19937 random(20240611);
    std::uniform_int_distribution<qsizetype> position(0, original.size() - 1);
    std::uniform_int_distribution<int> byteValue(0, 255);
    std::uniform_int_distribution<int> changes(1, 6);
    ProjectBytesReader reader;
    Project project;
    std::map<int, int> seen;
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = original;
        for (int k = changes(random); k > 0; --k)
            damaged[position(random)] = static_cast<char>(byteValue(random));
        const int result = reader.Read(damaged, project);
        ASSERT_TRUE(result == kProjectOk || kFailureResults.count(result)) << "round " << round;
        ++seen[result];
    }
    // Both outcomes occur: changed values that still read, and broken structure that does not.
    EXPECT_GT(seen[kProjectOk], 0);
    EXPECT_GT(3000 - seen[kProjectOk], 0);
}

// A text too long for a record, put in place of one stored text of the file: the sections that catch
// their own failures give 17 and fall back to their defaults, the fields outside them give 10.
TEST(ProjectFileDamage, OverLongStoredTextFailsItsSectionOrTheWholeFile)
{
    const QByteArray fixture = ProjectFixtureFile(8);
    const auto withOverLongText = [&fixture](const QString& stored) {
        // The first record of that text: its count, then its units.
        const QByteArray record = Bytes().text(stored).data;
        const qsizetype at = fixture.indexOf(record);
        EXPECT_GE(at, 0) << stored.toStdString();
        QByteArray damaged = fixture;
        qToLittleEndian<std::int32_t>(8000, damaged.data() + at);
        return damaged;
    };
    const struct
    {
        const char16_t* stored;
        int expected;
    } cases[] = {
        {u"写真の説明", kProjectLoadFailed},       // placed photo comment
        {u"名1", kProjectLoadFailed},              // item name
        {u"ひび割れ", kProjectLoadFailed},         // reservoir photo row
        {u"表題", kProjectLoadFailed},             // header label
        {u"報告書A", kProjectLoadFailed},          // header value
        {u"pre", kProjectLoadFailed},              // options
        {u"2020/01/01", kProjectLoadFailed},       // import settings
        {u"T1", kProjectLoadFailed},               // track
        {u"src.png", kProjectFileException},       // map field
        {u"地図A", kProjectFileException},         // map name
        {u"R1", kProjectFileException},            // reservoir survey field
        {u"大阪府", kProjectFileException},        // location text
        {u"一行目", kProjectFileException},        // comment line
        {u"IMG_0001.JPG", kProjectFileException},  // photo record
    };
    ProjectBytesReader reader;
    for (const auto& c : cases) {
        const QString stored = QString::fromUtf16(c.stored);
        SCOPED_TRACE(stored.toStdString());
        Project project;
        EXPECT_EQ(reader.Read(withOverLongText(stored), project), c.expected);
    }

    // The sections that fail start again from their own defaults, whatever was read before the failure.
    Project project;
    ASSERT_EQ(reader.Read(withOverLongText(QStringLiteral("報告者")), project), kProjectLoadFailed);
    EXPECT_EQ(project.headerLabels, ReportHeader());
    ASSERT_EQ(reader.Read(withOverLongText(QStringLiteral("pre")), project), kProjectLoadFailed);
    EXPECT_EQ(project.outputOptions, ReportOutputOptions());
    ASSERT_EQ(reader.Read(withOverLongText(QStringLiteral("2020/12/31")), project), kProjectLoadFailed);
    EXPECT_EQ(project.importSettings, PhotoImportSettings());
}

// A photo's id names its files: ids that would make two photos share files are not taken as they stand.
TEST(ProjectFileDamage, PhotoIdsThatWouldShareFilesAreRefusedOrMovedOn)
{
    const struct
    {
        const char* what;
        std::vector<std::int32_t> ids;
        std::int32_t nextId;
        int result;
        std::int32_t nextIdRead;
    } cases[] = {
        {"sound", {1, 2, 3}, 4, kProjectOk, 4},
        {"gaps are kept", {2, 7}, 9, kProjectOk, 9},
        {"the same id twice", {1, 2, 2}, 4, kProjectLoadFailed, 0},
        {"a negative id", {1, -5}, 4, kProjectLoadFailed, 0},
        {"next id already taken", {1, 2, 3}, 2, kProjectOk, 4},
        {"next id below zero", {5}, -1, kProjectOk, 6},
    };
    ProjectBytesReader reader;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Project written = MakeFullProject();
        written.maps.Clear();
        written.siteMaps.Clear();
        std::vector<PhotoRecord> photos;
        for (std::int32_t id : c.ids) {
            photos.push_back(written.photos.photos.front());
            photos.back().id = id;
        }
        written.photos.photos = photos;
        written.photos.nextId = c.nextId;
        Project read;
        ASSERT_EQ(reader.Read(WrittenBytes(written), read), c.result);
        if (c.result == kProjectOk) {
            EXPECT_EQ(read.photos.nextId, c.nextIdRead);
        }
    }
}

TEST(ProjectFileDamage, MapIdsThatWouldShareFilesAreRefusedOrMovedOn)
{
    const struct
    {
        const char* what;
        std::vector<std::int32_t> ids;
        std::int32_t nextId;
        int result;
        std::int32_t nextIdRead;
    } cases[] = {
        {"sound", {1, 2}, 3, kProjectOk, 3},
        {"the same id twice", {4, 4}, 5, kProjectLoadFailed, 0},
        {"next id already taken", {1, 6}, 3, kProjectOk, 7},
    };
    ProjectBytesReader reader;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Project written = MakeFullProject();
        ASSERT_GE(written.maps.maps.size(), c.ids.size());
        written.maps.maps.resize(c.ids.size());
        for (size_t k = 0; k < c.ids.size(); ++k)
            written.maps.maps[k].id = c.ids[k];
        written.maps.nextId = c.nextId;
        Project read;
        ASSERT_EQ(reader.Read(WrittenBytes(written), read), c.result);
        if (c.result == kProjectOk) {
            EXPECT_EQ(read.maps.nextId, c.nextIdRead);
        }
    }
}
