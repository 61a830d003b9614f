#pragma once

#include <QString>

namespace fe {

// Paths use '/'; a name that came from a file may also hold '\', so both count as separators.

// Splits a path into drive (always empty here), folder (everything up to and including the last
// separator, so it keeps its leading and trailing separators), name, and extension (from the last
// '.' of the file name on, dot included). Returns true.
bool SplitPath(const QString& path, QString& drive, QString& folder, QString& name, QString& extension);

// The four parts of a path, with the extension kept without its dot.
struct PathParts
{
    QString drive, folder, name, extension;

    PathParts() = default;
    explicit PathParts(const QString& path) { Set(path); }
    void Set(const QString& path);
    // name + "." + extension, or the name alone when there is no extension.
    QString FileName() const;
};

// The part after the last separator (the whole text when there is none).
QString GetPathFileName(const QString& path);
// The part before the last separator, without it (the whole text when there is none).
QString GetPathFolder(const QString& path);

// A plain file name: not empty, not "." or "..", without a separator ('/' or '\\') and without a NUL, so
// that it can only name an entry directly inside a folder.
bool IsPlainFileName(const QString& name);

// The path of a file name stored in a project (or any file it received) inside the folder it belongs to:
// folder + name, a '/' put between them when the folder lacks it. Empty, so that nothing is read, written,
// copied or deleted, when the folder is empty or the name is not a plain file name (a name that climbs out
// with "..", an absolute path, a path with separators).
QString StoredFilePath(const QString& folder, const QString& name);

// The program's temporary folder, "temp/" in the writable folder (fe::GetWritableFolder), ending
// with '/'. MakeTempFolder also creates it; empty when it cannot.
QString GetTempFolderPath();
QString MakeTempFolder();

// Deletes the folder with everything below it. Symbolic links are removed as links: what they
// point to is never entered or deleted. A path that is itself a link, or not a folder, is left
// alone. Stops at the first entry it cannot delete and returns 0 (entries already deleted stay
// deleted); 0 for an empty or missing path; nonzero when the folder is gone.
int DeleteFolderTree(const QString& folder);

}  // namespace fe
