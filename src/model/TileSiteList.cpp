#include "fe/AppFolders.h"
#include "fe/File.h"
#include "fe/NumberText.h"
#include "model/AppSettings.h"

namespace {

// More sites than the tile settings dialog ever writes; records beyond it are dropped.
constexpr std::size_t kMaxSites = 1000;

// The view without its leading and trailing runs of the character.
QStringView TrimRuns(QStringView text, QChar c)
{
    while (!text.isEmpty() && text.front() == c)
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == c)
        text.chop(1);
    return text;
}

// A zoom piece: a number that a tile key holds replaces the value, anything else leaves it.
void ScanZoom(QStringView piece, int& zoom)
{
    int value = 0;
    if (fe::ScanInt(piece, value) && fe::geo::TileSite::IsStorableZoom(value))
        zoom = value;
}

// Reads the records of TileSiteList.txt. A record runs from a line holding "{" up to and including
// the first line holding "}" (or the end of the file); text after that "}" may open the next record.
// Each line is walked through views once, so that reading stays linear in its length however many
// records it holds.
class TileSiteListReader
{
public:
    explicit TileSiteListReader(fe::geo::TileSiteVector& sites) : m_sites(sites) {}

    void Line(QStringView text)
    {
        for (;;) {
            if (!m_inRecord) {
                if (!text.contains(u'{'))
                    return;
                text = TrimRuns(text, u'{');
                m_site = fe::geo::TileSite();
                m_site.zoomMin = 2;
                m_site.zoomMax = 18;
                m_fieldCounter = 0;
                m_inRecord = true;
            }
            const qsizetype close = text.indexOf(u'}');
            // Only the text up to the closing brace belongs to this record, so that a record that
            // ends early never takes the fields of the next one on the same line.
            ParseTileSiteLine(m_site, m_fieldCounter, close < 0 ? text : text.left(close + 1));
            if (close < 0)
                return;
            Finish();
            text = text.mid(close + 1);
        }
    }

    void End()
    {
        if (m_inRecord)
            Finish();
    }

private:
    void Finish()
    {
        m_inRecord = false;
        if (m_site.title.isEmpty() || m_site.extension.isEmpty() || m_sites.size() >= kMaxSites)
            return;
        m_site.cacheFolderName = fe::geo::CacheFolderNameOf(m_site.path);
        m_sites.push_back(m_site);
    }

    fe::geo::TileSiteVector& m_sites;
    fe::geo::TileSite m_site;
    int m_fieldCounter = 0;
    bool m_inRecord = false;
};

}  // namespace

void ParseTileSiteLine(fe::geo::TileSite& site, int& fieldCounter, QStringView line)
{
    for (QStringView piece : line.tokenize(u',')) {
        if (fieldCounter >= 7)
            return;
        piece = TrimRuns(TrimRuns(piece, u' '), u'\t');
        // A quoted empty text ("") is a field without a value: it must take its place, or every
        // later field of the record would shift into the wrong slot.
        const bool quoted = piece.startsWith(u'"');
        piece = TrimRuns(TrimRuns(piece, u'"'), u'}');
        if (piece.isEmpty() && !quoted)
            continue;
        switch (fieldCounter) {
            case 0:
                site.title = piece.toString();
                break;
            case 1:
                site.baseUrl = piece.toString();
                break;
            case 2:
                site.path = piece.toString();
                break;
            case 3:
                site.extension = piece.toString();
                break;
            case 4:
                ScanZoom(piece, site.zoomMin);
                break;
            case 5:
                ScanZoom(piece, site.zoomMax);
                break;
            default:
                if (piece.startsWith(QStringLiteral("true")))
                    site.transparent = true;
                else if (piece.startsWith(QStringLiteral("false")))
                    site.transparent = false;
                break;
        }
        ++fieldCounter;
    }
}

QString AppSettings::TileSiteListPath()
{
    return fe::GetWritableFolder() + QStringLiteral("TileSiteList.txt");
}

fe::geo::TileSiteVector AppSettings::BuiltInBaseMaps()
{
    fe::geo::TileSiteVector catalogue;
    fe::geo::BuildBuiltInTileSites(catalogue);
    fe::geo::TileSiteVector baseMaps;
    for (int entry : fe::geo::kDefaultBaseMapEntries)
        baseMaps.push_back(catalogue[static_cast<size_t>(entry)]);
    return baseMaps;
}

bool AppSettings::MergeTileSiteList()
{
    return MergeTileSiteList(TileSiteListPath());
}

bool AppSettings::MergeTileSiteList(const QString& path)
{
    tileSites.clear();
    const auto useBuiltIns = [&] { tileSites = BuiltInBaseMaps(); };

    fe::FileR file;
    if (!file.open(path, 1)) {
        useBuiltIns();
        return false;
    }
    try {
        TileSiteListReader reader(tileSites);
        while (!file.eof()) {
            QString line;
            file.readLine(line);
            // The file layer strips a byte-order mark and CR LF; a stray CR (a file edited with
            // mixed line ends) must not end up in a URL either.
            if (line.endsWith(u'\r'))
                line.chop(1);
            reader.Line(line);
        }
        reader.End();
    } catch (const fe::Failure&) {
        useBuiltIns();
        return false;
    }
    if (tileSites.size() < 3)
        useBuiltIns();
    return true;
}
