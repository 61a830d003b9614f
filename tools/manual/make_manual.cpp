// Makes the manual shipped beside the program from the Japanese user guide: the guide's Markdown is laid
// out with its pictures (each fitted to the page width) and printed to an A4 PDF with page numbers.
//
// Usage: make_manual GUIDE.md OUTPUT.pdf
// A picture the guide names that cannot be read, or a PDF that cannot be written, ends the run with an
// error, so that the build never ships a manual with holes in it.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The widest a picture is laid out, in the layout's 96-dpi pixels: the text width of an A4 page with the
// 2 cm margins of the print.
constexpr double kPictureWidth = 640;

int Fail(const QString& text)
{
    std::fprintf(stderr, "make_manual: %s\n", qUtf8Printable(text));
    return 1;
}

struct Picture
{
    int position;
    int length;
    QTextImageFormat format;
};

// Loads every picture of the document from the guide's folder and sets its laid-out size; false, with
// the name in `missing`, when one cannot be read.
bool LoadPictures(QTextDocument& document, const QDir& folder, QString& missing)
{
    std::vector<Picture> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().isImageFormat())
                pictures.push_back(
                    {fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
        }
    for (Picture& picture : pictures) {
        const QString name = picture.format.name();
        const QImage image(folder.filePath(QUrl(name).path()));
        if (image.isNull()) {
            missing = name;
            return false;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
        const double width = std::min<double>(image.width(), kPictureWidth);
        picture.format.setWidth(width);
        picture.format.setHeight(width * image.height() / image.width());
        QTextCursor cursor(&document);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return Fail(QStringLiteral("usage: make_manual GUIDE.md OUTPUT.pdf"));
    const QFileInfo guide(arguments[1]);
    const QString output = arguments[2];

    QFile source(guide.filePath());
    if (!source.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot read ") + guide.filePath());
    const QString markdown = QString::fromUtf8(source.readAll());

    QTextDocument document;
    document.setDefaultFont(QFont(QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                              QStringLiteral("Noto Sans CJK JP")},
                                  10));
    document.setBaseUrl(QUrl::fromLocalFile(guide.absolutePath() + u'/'));
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    QString missing;
    if (!LoadPictures(document, guide.absoluteDir(), missing))
        return Fail(QStringLiteral("cannot read the picture ") + missing);

    if (!QDir().mkpath(QFileInfo(output).absolutePath()))
        return Fail(QStringLiteral("cannot make the folder of ") + output);
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write ") + output);
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        pdf.setTitle(QStringLiteral("ケルヴォル Ver2 取扱い説明書"));
        pdf.setCreator(QStringLiteral("ケルヴォル"));
        document.print(&pdf);
    }
    if (!file.commit())
        return Fail(QStringLiteral("cannot write ") + output);
    return 0;
}
