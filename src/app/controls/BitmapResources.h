#pragma once

#include <QPixmap>

namespace app {

// Resource picture ids the dialogs and panes use.
enum BitmapId : int
{
    kBitmapDownArrow = 342,
    kBitmapUpArrow = 343,
    kBitmapDownArrowDisabled = 344,
    kBitmapUpArrowDisabled = 345,
    kBitmapHelpPressed = 370,
    kBitmapHelp = 371,
    // Explanation pictures of the help windows.
    kBitmapRefCoordSystem = 380,   // 690 x 530
    kBitmapRefItemSwitch = 393,    // 700 x 580
    kBitmapRefBaseMap = 394,       // 700 x 580
    kBitmapRefPlacePhotos = 395,   // 700 x 581
    kBitmapRefSort = 397,          // 700 x 740
    kBitmapRefLedgerOrder = 398,   // 800 x 866
    kBitmapRefNoPosition = 404,    // 700 x 740
    kBitmapRefMouseSort = 479,     // 800 x 866
    kBitmapRefTileSettings = 480,  // 650 x 698
    kBitmapRefMainView = 481,      // 461 x 533
};

// The picture with that resource id; a null picture when there is none.
QPixmap LoadBitmapResource(int id);

}  // namespace app
