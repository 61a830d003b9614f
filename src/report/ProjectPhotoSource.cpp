#include "report/ProjectPhotoSource.h"

#include "fe/img/Image.h"
#include "model/Project.h"

bool ProjectPhotoSource::FindPhoto(int photoId, Photo& photo) const
{
    const PhotoRecord* record = m_project.photos.Find(photoId);
    if (!record)
        return false;
    photo.rotation = record->rotation;
    photo.storedFile = m_project.PhotoFolder() + record->FileName();
    return true;
}

QImage ProjectPhotoSource::LoadPhotoImage(int photoId, QSize box) const
{
    fe::img::Image picture;
    if (!m_project.LoadPhotoImage(picture, m_project.photos.IndexOfId(photoId), box))
        return {};
    return picture.Picture();
}

int ProjectPhotoSource::PhotoQuality() const
{
    return m_project.outputOptions.photoQuality;
}
