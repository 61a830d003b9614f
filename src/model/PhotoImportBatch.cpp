// Photo import of many files: reading and reducing on worker threads, storing in file order.
#include "model/PhotoImportBatch.h"

#include <algorithm>

#include "fe/img/ExifSupport.h"
#include "model/Project.h"

PhotoImportBatch::PhotoImportBatch(Project& project, QStringList files, int threads)
    : m_project(project),
      m_files(std::move(files)),
      m_dateFilter(project.importSettings.dateFilter != 0),
      m_fromDate(project.importSettings.fromDate),
      m_toDate(project.importSettings.toDate),
      m_folders(project.Folders()),
      m_slots(static_cast<size_t>(m_files.size()))
{
    RemoveStagedLeftovers(m_folders);
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (threads == 1 || m_files.size() <= 1)
        return;
    // The EXIF library's one-time set-up is not safe to race.
    fe::img::InitExifLibrary();
    threads = static_cast<int>(std::min<qsizetype>(threads, m_files.size()));
    // Two files a worker keep every worker busy while the caller stores; each prepared photo holds
    // its file's bytes until stored.
    m_ahead = 2 * qsizetype(threads);
    m_workers.reserve(static_cast<size_t>(threads));
    for (int i = 0; i < threads; ++i)
        m_workers.emplace_back([this] { Work(); });
}

PhotoImportBatch::~PhotoImportBatch()
{
    (void)Finish();
}

int PhotoImportBatch::Finish()
{
    if (m_finished)
        return 0;
    m_finished = true;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
    m_workers.clear();
    for (Slot& slot : m_slots)
        DropStagedFiles(slot.photo);
    m_next = m_files.size();
    const std::vector<std::int32_t> lost = FlushStoredPhotos(m_folders, m_stored);
    m_stored.clear();
    for (const std::int32_t id : lost)
        (void)m_project.DeletePhoto(id);
    return int(lost.size());
}

PreparedPhoto PhotoImportBatch::Prepare(qsizetype index) const
{
    return PreparePhoto(m_files[index], m_dateFilter ? &m_fromDate : nullptr,
                        m_dateFilter ? &m_toDate : nullptr);
}

void PhotoImportBatch::Work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] {
            return m_stopping || m_nextToPrepare >= m_files.size() || m_nextToPrepare < m_taken + m_ahead;
        });
        if (m_stopping || m_nextToPrepare >= m_files.size())
            return;
        const qsizetype index = m_nextToPrepare++;
        lock.unlock();
        PreparedPhoto photo = Prepare(index);
        StagePreparedPhoto(photo, m_folders);
        lock.lock();
        Slot& slot = m_slots[static_cast<size_t>(index)];
        slot.photo = std::move(photo);
        slot.ready = true;
        m_changed.notify_all();
    }
}

PreparedPhoto PhotoImportBatch::Take(qsizetype index)
{
    if (m_workers.empty())
        return Prepare(index);
    std::unique_lock lock(m_mutex);
    Slot& slot = m_slots[static_cast<size_t>(index)];
    m_changed.wait(lock, [&] { return slot.ready; });
    PreparedPhoto photo = std::move(slot.photo);
    slot = Slot();
    m_taken = index + 1;
    m_changed.notify_all();
    return photo;
}

bool PhotoImportBatch::ImportNext()
{
    if (AtEnd() || m_finished)
        return false;
    const qsizetype index = m_next++;
    PreparedPhoto photo = Take(index);
    m_lastRefusal = photo.refusal;
    // The duplicate check sees every photo imported before this file, as a one-by-one import does.
    if (photo.accepted && m_project.IsDuplicatePhoto(m_files[index], &photo.record))
        m_lastRefusal = PhotoRefusal::AlreadyInProject;
    if (m_lastRefusal != PhotoRefusal::None) {
        DropStagedFiles(photo);
        return false;
    }
    if (!m_project.AppendPreparedPhoto(photo)) {
        m_lastRefusal = PhotoRefusal::NotStored;
        return false;
    }
    m_stored.push_back(m_project.photos.photos.back().id);
    return true;
}
