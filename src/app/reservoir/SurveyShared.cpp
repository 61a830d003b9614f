#include "app/reservoir/SurveyShared.h"

#include "app/doc/TavrelDoc.h"
#include "fe/img/Image.h"
#include "reservoir/ReservoirSurveyEdit.h"

namespace app {

QPixmap SurveyThumbnail(const Project& project, int photoId)
{
    const int photoIndex = project.photos.IndexOfId(photoId);
    fe::img::Image thumb;
    if (photoIndex >= 0 &&
        (project.LoadPhotoThumbnail(thumb, photoIndex) ||
         project.LoadPhotoImage(thumb, photoIndex, QSize(kSurveyThumbWidth, kSurveyThumbHeight))))
        return QPixmap::fromImage(thumb.Picture());
    return QPixmap();
}

void ChangeSurvey(CTavrelDoc& document, int mapIndex, const std::function<bool(ReservoirSurveyEdit&)>& edit)
{
    (void)document.Change(ProjectChange::Maps, [&](Project& project) {
        ReservoirSurveyEdit survey(project, mapIndex);
        return edit(survey);
    });
}

}  // namespace app
