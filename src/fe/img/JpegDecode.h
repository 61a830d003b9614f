#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace fe::img {

// The most pixels a picture may have to be read: several times any camera's sensor, yet small enough
// that a hostile header can never decide to take gigabytes (800 MB at 4 bytes a pixel).
inline constexpr qint64 kMaxPicturePixels = 200'000'000;

// True when the size is neither empty nor above kMaxPicturePixels.
bool IsReadablePictureSize(QSize size);

// The picture's size fitted into the box, keeping its proportions and never enlarging it; the picture's
// own size when the box is empty or the picture already fits.
QSize SizeShownIn(QSize picture, QSize box);

// How a decode treats data the decoder finds amiss (a premature end, corrupt entropy data, stray
// bytes): kRefuse fails the decode, for photos that are about to be trusted; kShowWhatIsThere keeps
// what was decoded, for showing a stored picture as well as it can be, unless the decoder first meets a
// premature end: a file whose data ends before its pixels do is refused under both rules.
enum class JpegDamage
{
    kRefuse,
    kShowWhatIsThere
};

// The frame size a JPEG's header gives, without decoding. False when the bytes do not begin as a JPEG
// the decoder reads or when the size is not readable (IsReadablePictureSize).
bool ReadJpegSize(const QByteArray& jpeg, QSize& size);

// Decodes a JPEG at `size` (its own size when empty), as Format_RGB32. The decoder's own scaling
// reduces by the largest step (down to 1/8) that keeps at least that size, and smooth scaling does the
// rest, so a reduced picture never costs a full decode's memory; a decode of more than 16 million pixels
// is tried at the smallest scale first, so that a small file claiming a large picture is refused before
// that memory is taken. False, with a null picture, when the size is not readable, the memory cannot be
// had or the decoder fails; with kRefuse also when it meets anything amiss, so that a damaged photo is
// never taken for a good one. Safe to call from any thread.
bool DecodeJpeg(const QByteArray& jpeg, QSize size, QImage& picture, JpegDamage damage = JpegDamage::kRefuse);

}  // namespace fe::img
