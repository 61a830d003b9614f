#pragma once

#include <QStringList>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "model/PhotoImport.h"
#include "model/ProjectFolders.h"

struct Project;

// Imports a list of photo files into a project one file at a time, in file order, while worker threads
// read, check and reduce the next files ahead (PreparePhoto) and write their copies and thumbnails to
// temporary files (StagePreparedPhoto). Everything that decides stays on the caller's thread and
// in file order: the duplicate check, the id, the renaming of the staged files to it and the record. So the
// same files give the same ids, records and files as importing them one by one with Project::ImportPhoto,
// whatever the number of threads.
//
// Files are written without a flush each; Finish (or the end of the batch) makes all of them durable at
// once, so the batch must end before the project that names its photos is saved.
//
// The workers never run more than a few files ahead, so memory stays flat with the length of the list.
// The project's import settings are taken when the batch starts and must not change during it. The
// project must outlive the batch.
class PhotoImportBatch
{
public:
    // threads: the number of workers; 0 takes one per core, 1 does all the work in ImportNext.
    PhotoImportBatch(Project& project, QStringList files, int threads = 0);
    PhotoImportBatch(const PhotoImportBatch&) = delete;
    PhotoImportBatch& operator=(const PhotoImportBatch&) = delete;
    // Stops the workers after the file each has in hand; files not imported by then leave no trace (their
    // staged files are removed). Then finishes, when Finish was not called.
    ~PhotoImportBatch();

    // True once every file was tried.
    bool AtEnd() const { return m_next >= m_files.size(); }
    // The file the next ImportNext tries.
    QString NextFile() const { return AtEnd() ? QString() : m_files[m_next]; }
    // Tries the next file as Project::ImportPhoto does: true when it was appended to the project, false
    // when it was refused (or every file was tried already).
    bool ImportNext();
    // Why the last ImportNext refused its file; None after one that imported it.
    PhotoRefusal LastRefusal() const { return m_lastRefusal; }
    // Stops the workers and makes the files of the photos imported so far durable (FlushStoredPhotos); a
    // photo whose copy could not be made durable is taken out of the project again. The number of photos
    // taken out (0 as a rule). Once finished, ImportNext imports nothing more.
    int Finish();

private:
    void Work();
    PreparedPhoto Prepare(qsizetype index) const;
    PreparedPhoto Take(qsizetype index);

    struct Slot
    {
        bool ready = false;
        PreparedPhoto photo;
    };

    Project& m_project;
    const QStringList m_files;
    const bool m_dateFilter;
    const QString m_fromDate;
    const QString m_toDate;
    const ProjectFolders m_folders;
    qsizetype m_next = 0;        // the next file to import; only the caller's thread changes it
    PhotoRefusal m_lastRefusal = PhotoRefusal::None;
    std::vector<std::int32_t> m_stored;  // ids of the photos imported and not yet flushed
    bool m_finished = false;

    std::mutex m_mutex;  // guards everything below
    std::condition_variable m_changed;
    std::vector<Slot> m_slots;      // one per file; emptied once taken
    qsizetype m_nextToPrepare = 0;  // the next file a worker takes
    qsizetype m_taken = 0;          // files handed to the caller so far
    qsizetype m_ahead = 0;          // how far past m_taken the workers may run
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};
