// Feeds arbitrary bytes to the readers of the settings files in the writable folder. The first byte
// chooses the file: 0 setting.bin, 1 MarkSetting.bin, 2 TileSiteList.txt, 3 CommentTemplate.txt; the rest
// is the file. Whatever the bytes, reading must end without a crash or a leak and within the readers'
// bounds; binary settings that read must be written and read again to the same values.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "app/settings/CommentTemplate.h"
#include "fe/AppFolders.h"
#include "model/AppSettings.h"
#include "model/MarkSettingSet.h"

namespace {

const QTemporaryDir& Folder()
{
    static const QTemporaryDir folder;
    static const bool writable = [] {
        fe::SetWritableFolder(folder.path());
        return true;
    }();
    (void)writable;
    return folder;
}

QString PathOf(const char* name)
{
    return Folder().filePath(QString::fromLatin1(name));
}

bool WriteBytes(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == static_cast<qint64>(size);
}

void AppSettingsRoundTrip(const QString& path)
{
    AppSettings settings;
    if (!settings.Load(path))
        return;
    const QString written = PathOf("written.bin");
    if (!settings.Save(written))
        std::abort();  // everything the reader took, the writer must take back
    AppSettings again;
    if (!again.Load(written) || !(again == settings))
        std::abort();
}

void MarkSettingsRoundTrip(const QString& path)
{
    MarkSettingSet set;
    if (!set.Load(path))
        return;
    if (set.styles.size() != MarkSettingSet::kTemplateCount || set.Current() == nullptr)
        std::abort();
    const QString written = PathOf("written.bin");
    if (!set.Save(written))
        std::abort();
    MarkSettingSet again;
    if (!again.Load(written) || again.styles != set.styles || again.currentIndex != set.currentIndex)
        std::abort();
}

void CommentsWithinBounds(const QString& path)
{
    app::CommentTemplateSet set;
    if (!set.Load(path))
        return;
    if (set.categories.size() > size_t(app::kMaxCommentCategories))
        std::abort();
    qsizetype lines = 0;
    for (const app::CommentCategory& category : set.categories)
        lines += category.lines.size();
    if (lines > app::kMaxCommentLines)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || !Folder().isValid())
        return 0;
    const int kind = data[0] % 4;
    const QString input = PathOf(kind == 2 ? "TileSiteList.txt" : "input");
    if (!WriteBytes(input, data + 1, size - 1))
        return 0;
    switch (kind) {
        case 0:
            AppSettingsRoundTrip(input);
            break;
        case 1:
            MarkSettingsRoundTrip(input);
            break;
        case 2: {
            AppSettings settings;
            (void)settings.MergeTileSiteList(input);
            break;
        }
        default:
            CommentsWithinBounds(input);
            break;
    }
    return 0;
}
