#include <QFileInfo>
#include <cmath>
#include <exiv2/exiv2.hpp>
#include <optional>

#include "fe/Cp932.h"
#include "fe/img/ExifInfo.h"
#include "fe/img/ExifSupport.h"

namespace {

const Exiv2::Exifdatum* Find(const Exiv2::ExifData& exif, const char* key)
{
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    return it == exif.end() ? nullptr : &*it;
}

// Element i of a rational value as numerator / denominator, both taken as signed 32-bit integers as
// cameras' writers expect; a zero denominator counts as 0/1.
double RationalAt(const Exiv2::Value& value, long i)
{
    std::int32_t numerator = 0;
    std::int32_t denominator = 1;
    if (const auto* u = dynamic_cast<const Exiv2::URationalValue*>(&value)) {
        numerator = std::int32_t(u->value_.at(size_t(i)).first);
        denominator = std::int32_t(u->value_.at(size_t(i)).second);
    } else if (const auto* s = dynamic_cast<const Exiv2::RationalValue*>(&value)) {
        numerator = s->value_.at(size_t(i)).first;
        denominator = s->value_.at(size_t(i)).second;
    }
    if (denominator == 0)
        return 0.0;
    return double(numerator) / double(denominator);
}

bool IsRational(const Exiv2::Value& value)
{
    return value.typeId() == Exiv2::unsignedRational || value.typeId() == Exiv2::signedRational;
}

// The text of an ASCII tag up to its first NUL.
std::string AsciiText(const Exiv2::Exifdatum& datum)
{
    std::string text = datum.value().toString();
    const auto nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    return text;
}

// Degrees, minutes and seconds of a position tag, negated for the references "S" and "W".
std::optional<double> ReadCoordinate(const Exiv2::ExifData& exif, const char* valueKey, const char* refKey)
{
    const Exiv2::Exifdatum* value = Find(exif, valueKey);
    const Exiv2::Exifdatum* ref = Find(exif, refKey);
    if (value == nullptr || ref == nullptr || !IsRational(value->value()) || value->count() < 3)
        return std::nullopt;
    const Exiv2::Value& v = value->value();
    double degrees = RationalAt(v, 0) + RationalAt(v, 1) / 60.0 + RationalAt(v, 2) / 3600.0;
    const std::string reference = AsciiText(*ref);
    if (reference == "S" || reference == "W")
        degrees = -degrees;
    return degrees;
}

// A direction read against magnetic north, turned to true north by the declination at the position
// (a fit over Japan) and brought into [0, 360).
double TrueDirectionFromMagnetic(double magnetic, double latitude, double longitude)
{
    const double b = latitude - 37.0;
    const double c = longitude - 138.0;
    double value = magnetic + 7.620016666666666 + 0.3125 * b - 0.11268333333333333 * c -
                   0.0009833333333333332 * b * b - 0.00023333333333333333 * b * c -
                   0.009649999999999999 * c * c;
    if (value < 0.0 || value >= 360.0)
        value -= std::floor(value / 360.0) * 360.0;
    return value;
}

}  // namespace

void ExifInfo::Clear()
{
    m_longitude = kUnset;
    m_latitude = kUnset;
    m_direction = kUnset;
    m_dateTime.clear();
    m_orientation = -1;
}

int ExifInfo::ReadFile(const QString& fileName)
{
    Clear();
    fe::img::InitExifLibrary();
    if (!QFileInfo(fileName).isFile())
        return 0;
    int result = 0;
    try {
        const std::string path = fe::img::ExifPath(fileName);
        if (Exiv2::ImageFactory::getType(path) != Exiv2::ImageType::jpeg)
            return 0;
        auto image = Exiv2::ImageFactory::open(path);
        if (image.get() == nullptr)
            return 0;
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();

        if (const Exiv2::Exifdatum* orientation = Find(exif, "Exif.Image.Orientation");
            orientation != nullptr && orientation->count() > 0) {
            m_orientation = std::int16_t(orientation->toLong(0));
            result |= kOrientationRead;
        }
        if (const Exiv2::Exifdatum* dateTime = Find(exif, "Exif.Photo.DateTimeOriginal")) {
            m_dateTime = fe::FromCp932(QByteArray::fromStdString(AsciiText(*dateTime)));
            result |= kDateTimeRead;
        }

        // A coordinate off the globe is no position: it stays unset, as when the tag is missing.
        const auto latitude = ReadCoordinate(exif, "Exif.GPSInfo.GPSLatitude", "Exif.GPSInfo.GPSLatitudeRef");
        if (!latitude || !std::isfinite(*latitude) || std::fabs(*latitude) > 90.0)
            return result;
        m_latitude = *latitude;
        result |= kLatitudeRead;
        const auto longitude =
            ReadCoordinate(exif, "Exif.GPSInfo.GPSLongitude", "Exif.GPSInfo.GPSLongitudeRef");
        if (!longitude || !std::isfinite(*longitude) || std::fabs(*longitude) > 180.0)
            return result;
        m_longitude = *longitude;
        result |= kLongitudeRead;

        const Exiv2::Exifdatum* ref = Find(exif, "Exif.GPSInfo.GPSImgDirectionRef");
        const Exiv2::Exifdatum* direction = Find(exif, "Exif.GPSInfo.GPSImgDirection");
        if (ref == nullptr || direction == nullptr || !IsRational(direction->value()))
            return result;
        const std::string reference = AsciiText(*ref);
        double value = 0.0;
        for (long i = 0; i < direction->count(); ++i)
            value = RationalAt(direction->value(), i);  // the last element wins
        if (!reference.empty() && reference[0] == 'M')
            value = TrueDirectionFromMagnetic(value, m_latitude, m_longitude);
        if (!std::isfinite(value))
            return result;
        // A direction of a full turn or more, or below north, is the same direction within [0, 360).
        if (value < 0.0 || value >= 360.0)
            value -= std::floor(value / 360.0) * 360.0;
        if (value >= 360.0)
            value = 0.0;
        m_direction = value;
        result |= kDirectionRead;
    } catch (const std::exception&) {
        // A damaged file leaves the fields not read so far unset.
    }
    return result;
}
