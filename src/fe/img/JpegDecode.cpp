// JPEG decoding through libjpeg-turbo's TurboJPEG interface: scaled while decoding, bounded in pixels.
#include "fe/img/JpegDecode.h"

#include <turbojpeg.h>

#include <cmath>
#include <memory>

namespace fe::img {

namespace {

struct HandleCloser
{
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Decompressor = std::unique_ptr<void, HandleCloser>;

struct Header
{
    QSize size;
    int colorSpace = TJCS_YCbCr;
};

const unsigned char* Bytes(const QByteArray& jpeg)
{
    return reinterpret_cast<const unsigned char*>(jpeg.constData());
}

// A header warning (stray bytes between markers, an unknown JFIF version) still gives the size; the
// decode that follows meets the same warning and decides by its damage rule.
bool ReadHeader(tjhandle handle, const QByteArray& jpeg, Header& header)
{
    int width = 0, height = 0, subsampling = 0, colorSpace = 0;
    if (jpeg.isEmpty() || (tjDecompressHeader3(handle, Bytes(jpeg), static_cast<unsigned long>(jpeg.size()),
                                               &width, &height, &subsampling, &colorSpace) != 0 &&
                           tjGetErrorCode(handle) != TJERR_WARNING))
        return false;
    header.size = QSize(width, height);
    header.colorSpace = colorSpace;
    return IsReadablePictureSize(header.size);
}

// The largest reduction of the decoder's own that keeps at least the wanted size in both directions.
QSize DecodedSize(QSize original, QSize wanted)
{
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    QSize best = original;
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num > f.denom)
            continue;
        const QSize scaled(TJSCALED(original.width(), f), TJSCALED(original.height(), f));
        if (scaled.width() >= wanted.width() && scaled.height() >= wanted.height() &&
            qint64(scaled.width()) * scaled.height() < qint64(best.width()) * best.height())
            best = scaled;
    }
    return best;
}

// The decoder hands out CMYK as stored; JPEGs in CMYK come from programs that store it inverted.
void CmykToRgb(QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        uchar* p = picture.scanLine(y);
        auto* out = reinterpret_cast<QRgb*>(p);
        for (int x = 0; x < picture.width(); ++x, p += 4) {
            const int k = p[3];
            out[x] = qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
        }
    }
}

}  // namespace

bool IsReadablePictureSize(QSize size)
{
    return !size.isEmpty() && qint64(size.width()) * size.height() <= kMaxPicturePixels;
}

QSize SizeShownIn(QSize picture, QSize box)
{
    if (box.isEmpty() || picture.isEmpty() ||
        (picture.width() <= box.width() && picture.height() <= box.height()))
        return picture;
    const double scale =
        std::min(double(box.width()) / picture.width(), double(box.height()) / picture.height());
    return QSize(std::max(1, int(std::lround(picture.width() * scale))),
                 std::max(1, int(std::lround(picture.height() * scale))));
}

bool ReadJpegSize(const QByteArray& jpeg, QSize& size)
{
    size = QSize();
    const Decompressor handle(tjInitDecompress());
    Header header;
    if (!handle || !ReadHeader(handle.get(), jpeg, header))
        return false;
    size = header.size;
    return true;
}

namespace {

// Decodes into the picture of the decoded size by the damage rule. A premature end of the data (the file
// ends, or the next marker comes, before the pixels are all there) refuses the picture under either rule:
// what would be shown is mostly the decoder's filling, not the photo.
bool DecodeInto(tjhandle handle, const QByteArray& jpeg, const Header& header, QImage& image, JpegDamage damage)
{
    const QSize decoded = image.size();
    const bool cmyk = header.colorSpace == TJCS_CMYK || header.colorSpace == TJCS_YCCK;
    // Stop at the first warning when refusing: the decoder reports only one, and a harmless first warning
    // must not hide a premature end that follows it.
    int flags = damage == JpegDamage::kRefuse ? TJFLAG_STOPONWARNING : 0;
    // A reduced decode is reduced again to its wanted size: the fast inverse transform and plain chroma
    // upsampling save time and leave no trace that the smooth reduction does not wipe out.
    if (decoded != header.size)
        flags |= TJFLAG_FASTUPSAMPLE | TJFLAG_FASTDCT;
    if (tjDecompress2(handle, Bytes(jpeg), static_cast<unsigned long>(jpeg.size()), image.bits(), decoded.width(),
                      static_cast<int>(image.bytesPerLine()), decoded.height(), cmyk ? TJPF_CMYK : TJPF_BGRX,
                      flags) == 0)
        return true;
    if (damage == JpegDamage::kRefuse || tjGetErrorCode(handle) != TJERR_WARNING)
        return false;
    return !QByteArray(tjGetErrorStr2(handle)).toLower().contains("premature end");
}

// Decodes that would take more than this many pixels are tried at the decoder's smallest scale first, so
// that a small file claiming a large picture is refused before its memory is taken.
constexpr qint64 kTryFirstAbovePixels = 16'000'000;

}  // namespace

bool DecodeJpeg(const QByteArray& jpeg, QSize size, QImage& picture, JpegDamage damage)
{
    picture = QImage();
    const Decompressor handle(tjInitDecompress());
    Header header;
    if (!handle || !ReadHeader(handle.get(), jpeg, header))
        return false;
    const QSize wanted = size.isEmpty() ? header.size : size;
    if (!IsReadablePictureSize(wanted))
        return false;
    const QSize decoded = DecodedSize(header.size, wanted);
    if (qint64(decoded.width()) * decoded.height() > kTryFirstAbovePixels) {
        QImage trial(DecodedSize(header.size, QSize(1, 1)), QImage::Format_RGB32);
        if (trial.isNull() || !DecodeInto(handle.get(), jpeg, header, trial, damage))
            return false;
    }
    QImage image(decoded, QImage::Format_RGB32);
    if (image.isNull() || !DecodeInto(handle.get(), jpeg, header, image, damage))
        return false;
    if (header.colorSpace == TJCS_CMYK || header.colorSpace == TJCS_YCCK)
        CmykToRgb(image);
    picture = decoded == wanted ? std::move(image)
                                : image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return !picture.isNull();
}

}  // namespace fe::img
