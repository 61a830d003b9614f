#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "DxfSample.h"
#include "TempFolder.h"
#include "fe/Failure.h"

using namespace fe::cad;

namespace {

QString FailureText(const std::function<void()>& write)
{
    try {
        write();
    } catch (const fe::Failure& failure) {
        return failure.Text();
    }
    return QStringLiteral("(no failure)");
}

DxfWriter PhotoWriter(int version)
{
    DxfWriter writer;
    writer.Reset();
    writer.version = version;
    writer.nextHandle = 11;
    writer.textMode = 2;
    return writer;
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(DxfFile, WritesAndReplacesTheFile)
{
    TempFolder folder;
    const QString path = folder.file("map.dxf");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();

    auto doc = MakeSampleDrawing();
    DxfWriter writer = PhotoWriter(6);
    WriteDxfFile(writer, *doc, path);
    EXPECT_EQ(Read(path).toStdString(), RenderDxf(*doc, 6));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"map.dxf"});
}

TEST(DxfFile, FailuresThrowTheTextAndLeaveNothingBehind)
{
    TempFolder folder;
    auto doc = MakeSampleDrawing();
    {
        // A missing folder: the open-error text, naming the file.
        const QString path = folder.file("missing/map.dxf");
        DxfWriter writer = PhotoWriter(6);
        EXPECT_EQ(FailureText([&] { WriteDxfFile(writer, *doc, path); }),
                  "DxfLoader:" + path + "\nL0\n#2147483647\nファイルを開けません");
        EXPECT_FALSE(QFile::exists(path));
    }
    {
        // The name is taken by a folder.
        const QString path = folder.file("taken.dxf");
        ASSERT_TRUE(QDir(folder.path()).mkdir("taken.dxf"));
        DxfWriter writer = PhotoWriter(6);
        const QString text = FailureText([&] { WriteDxfFile(writer, *doc, path); });
        EXPECT_TRUE(text == "File.writeLine" || text.startsWith("DxfLoader:" + path)) << text.toStdString();
        EXPECT_TRUE(QFileInfo(path).isDir());
    }
    {
        // A text without a code page 932 character fails before the old drawing is touched.
        const QString path = folder.file("old.dxf");
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old drawing");
        old.close();
        auto layer = std::make_unique<FigText>();
        layer->text = QString::fromUtf8("写真 😀");
        doc->AddToLayer(std::move(layer), QString::fromUtf8("写真番号"));
        DxfWriter writer = PhotoWriter(4);
        EXPECT_EQ(FailureText([&] { WriteDxfFile(writer, *doc, path); }), "File.writeLine");
        EXPECT_EQ(Read(path), "old drawing");
        // The same text is fine in a UTF-8 drawing.
        DxfWriter utf8 = PhotoWriter(6);
        EXPECT_NO_THROW(WriteDxfFile(utf8, *doc, path));
    }
    QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList{"old.dxf"});
}
