#pragma once

#include <QImage>

#include "fe/img/Image.h"

// Turns the source by a quarter-turn angle counted counter-clockwise (90, 180 or 270) into a target
// made anew as a 24-bit picture: by 90 the source's top edge becomes the left edge, by 270 the right
// edge. Other angles throw fe::Failure("PlgImage:回転角度エラー").
void PlgImage(QImage& target, const QImage& source, int angle);

// Fills every pixel of the target (of its present size) from the source turned by the angle (radians)
// about its centre and scaled to the target, nearest neighbour; pixels from outside the source are white.
void RotateImageInto(const fe::img::Image& source, double angle, fe::img::Image& target);
