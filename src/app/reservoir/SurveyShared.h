#pragma once

#include <QColor>
#include <QPixmap>
#include <functional>

class CTavrelDoc;
class ReservoirSurveyEdit;
struct Project;

namespace app {

// What the survey dialog and its pages share: the grid colours, the photo thumbnails of their grids and
// the one way their edits reach the project.

inline const QColor kSurveyCream(255, 255, 207);
inline const QColor kSurveyGrey(230, 230, 230);
inline const QColor kSurveyActive(255, 242, 0);
inline const QColor kSurveyEmptyArea(219, 255, 255);
inline constexpr int kSurveyThumbWidth = 65;
inline constexpr int kSurveyThumbHeight = 48;

// The photo's small thumbnail, or the photo itself reduced when its thumbnail cannot be read; null for an
// id that names no photo.
QPixmap SurveyThumbnail(const Project& project, int photoId);

// Runs one edit of the map's survey as a change of the document (saved when it changed anything).
void ChangeSurvey(CTavrelDoc& document, int mapIndex, const std::function<bool(ReservoirSurveyEdit&)>& edit);

}  // namespace app
