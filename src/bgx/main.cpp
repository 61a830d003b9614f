// bgx: the background-map import tool the program starts for 位置図 → CAD取込み. It takes the chosen
// drawing or picture as its one argument and leaves in the program's temp folder (in the writable folder,
// or in KELVOR_WRITABLE_FOLDER when the program set it):
// - a picture (png, jpg, jpeg, tif, tiff, bmp): <name>.png, and copies of <name>.mhc and <name>CAD.mhc
//   lying beside it;
// - a DXF drawing: its model space rendered to <name>.png by Systems/bgxdxf.py (ezdxf with matplotlib),
//   the registration <name>.mhc of the drawing's plane coordinates and the CAD registration <name>CAD.mhc;
//   the script bounds what a drawing may cost (entities, memory) and refuses beyond that, saying why;
// - anything else, or a drawing that cannot be read: no picture, and bgxMessage.txt telling why.
#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <cstdio>

#include "fe/AppFolders.h"
#include "fe/AtomicSave.h"
#include "fe/PathUtil.h"
#include "fe/img/PictureRead.h"
#include "model/MapImportFiles.h"

namespace {

// The long side of a rendered drawing in pixels: sharp enough to read, far below the picture limits.
constexpr int kDrawingLongSide = 4000;

int Tell(const QString& text)
{
    (void)WriteBgxMessage(text);
    std::fprintf(stderr, "bgx: %s\n", text.toUtf8().constData());
    return 1;
}

int ImportPicture(const QString& path, const QString& target, const fe::PathParts& parts,
                  const QString& tempFolder)
{
    QImage picture;
    if (!fe::img::ReadPictureFile(path, QSize(), picture))
        return Tell(QStringLiteral("画像ファイルを読み込めませんでした。ファイルが壊れているか、大きすぎます。"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG") || !fe::SaveBytesAtomically(target, bytes))
        return Tell(QStringLiteral("取り込んだ画像を保存できませんでした。"));
    // A registration lying beside the picture goes along with it.
    for (const QString& suffix : {QStringLiteral(".mhc"), QStringLiteral("CAD.mhc")}) {
        const QString source = parts.drive + parts.folder + parts.name + suffix;
        if (QFileInfo(source).isFile())
            (void)fe::CopyFileAtomically(source, tempFolder + parts.name + suffix);
    }
    return 0;
}

int ImportDrawing(const QString& path, const QString& target, const fe::PathParts& parts,
                  const QString& tempFolder)
{
    const QString script = fe::GetExeFolder() + QStringLiteral("Systems/bgxdxf.py");
    QProcess renderer;
    // -B: the script's folder beside the executable may be read-only; nothing is compiled into it.
    renderer.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-B"), script, path, target, tempFolder + parts.name + QStringLiteral(".mhc"),
                    tempFolder + parts.name + QStringLiteral("CAD.mhc"), QString::number(kDrawingLongSide)});
    if (!renderer.waitForStarted() || !renderer.waitForFinished(-1))
        return Tell(QStringLiteral("DXFファイルの変換を開始できませんでした（python3-ezdxf と python3-matplotlib が必要です）。"));
    if (renderer.exitStatus() == QProcess::NormalExit && renderer.exitCode() == 0 && QFileInfo(target).isFile())
        return 0;
    // The renderer's last line says why in words for the user.
    const QStringList lines =
        QString::fromUtf8(renderer.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    QString reason = lines.isEmpty() ? QString() : lines.back().trimmed();
    if (reason.isEmpty() || !reason.contains(QStringLiteral("DXF")))
        reason = QStringLiteral("DXFファイルを読み込めませんでした。");
    return Tell(reason);
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: bgx <drawing or picture>\n", stderr);
        return 2;
    }
    const QString writable = qEnvironmentVariable("KELVOR_WRITABLE_FOLDER");
    if (!writable.isEmpty())
        fe::SetWritableFolder(writable);
    const QString tempFolder = fe::MakeTempFolder();
    if (tempFolder.isEmpty()) {
        std::fputs("bgx: the temp folder cannot be made\n", stderr);
        return 1;
    }
    const QString path = arguments[1];
    const fe::PathParts parts(path);
    if (!QFileInfo(path).isFile())
        return Tell(QStringLiteral("ファイルが見つかりません。"));
    const QString target = tempFolder + parts.name + QStringLiteral(".png");
    const QString extension = parts.extension.toLower();
    static const QStringList pictures = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                         QStringLiteral("tif"), QStringLiteral("tiff"), QStringLiteral("bmp")};
    if (pictures.contains(extension))
        return ImportPicture(path, target, parts, tempFolder);
    if (extension == QStringLiteral("dxf"))
        return ImportDrawing(path, target, parts, tempFolder);
    return Tell(QStringLiteral("%1形式の図面は取り込めません。DXF形式で保存した図面か、画像ファイルを選んでください。")
                    .arg(extension.isEmpty() ? QStringLiteral("この") : extension.toUpper()));
}
