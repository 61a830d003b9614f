#pragma once

#include "report/ReportPhotoSource.h"

struct Project;

// The report engine's view of an open project's photos: records by id, the stored copies in the
// project's photo folder (a missing one gives the project's placeholder picture) and the photo quality of
// the report options. It reads the project it is given, which must outlive it and not change meanwhile.
class ProjectPhotoSource : public ReportPhotoSource
{
public:
    explicit ProjectPhotoSource(const Project& project) : m_project(project) {}

    bool FindPhoto(int photoId, Photo& photo) const override;
    QImage LoadPhotoImage(int photoId, QSize box) const override;
    int PhotoQuality() const override;

private:
    const Project& m_project;
};
