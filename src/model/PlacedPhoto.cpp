#include "model/PlacedPhoto.h"

#include <algorithm>

#include "model/NaturalTextLess.h"
#include "model/PhotoRecord.h"

int PlacedPhotoList::IndexOfPhoto(std::int32_t photoId) const
{
    for (size_t k = 0; k < entries.size(); ++k) {
        if (entries[k].photoId == photoId) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

PlacedPhoto* PlacedPhotoList::FindByPhotoId(std::int32_t photoId)
{
    const int index = IndexOfPhoto(photoId);
    return index < 0 ? nullptr : &entries[static_cast<size_t>(index)];
}

const PlacedPhoto* PlacedPhotoList::FindByPhotoId(std::int32_t photoId) const
{
    const int index = IndexOfPhoto(photoId);
    return index < 0 ? nullptr : &entries[static_cast<size_t>(index)];
}

bool PlacedPhotoList::Add(const PlacedPhoto& entry)
{
    if (IndexOfPhoto(entry.photoId) >= 0) {
        return false;
    }
    entries.push_back(entry);
    return true;
}

void PlacedPhotoList::Remove(std::int32_t photoId)
{
    const int index = IndexOfPhoto(photoId);
    if (index >= 0) {
        entries.erase(entries.begin() + index);
    }
}

QString PlacedPhotoList::NumberText(int index) const
{
    if (index < 0 || index >= Count()) {
        return QString();
    }
    const QString& text = entries[static_cast<size_t>(index)].numberText;
    return text.isEmpty() ? QStringLiteral("**") : text;
}

QString PlacedPhotoList::NumberDigits(int index) const
{
    const QString text = NumberText(index);
    qsizetype first = 0;
    while (first < text.size() && !text[first].isDigit())
        ++first;
    if (first == text.size())
        return text;
    qsizetype last = text.size() - 1;
    while (!text[last].isDigit())
        --last;
    return text.mid(first, last - first + 1);
}

void PlacedPhotoList::AssignDisplayNumbers()
{
    int k = 0;
    for (PlacedPhoto& entry : entries) {
        if (entry.workNumber.isEmpty()) {
            entry.workNumber = prefix + QString::number(static_cast<qint64>(firstNumber) + k) + suffix;
            ++k;
        }
    }
}

void PlacedPhotoList::ClearDisplayNumbers()
{
    for (PlacedPhoto& entry : entries)
        entry.workNumber.clear();
}

void PlacedPhotoList::SortByNumberText(bool ascending)
{
    std::stable_sort(entries.begin(), entries.end(), [ascending](const PlacedPhoto& a, const PlacedPhoto& b) {
        return NaturalTextLess(ascending, a.numberText, b.numberText);
    });
}

void PlacedPhotoList::SortByShotTime(const PhotoList& photoList, bool ascending)
{
    auto key = [&photoList](const PlacedPhoto& entry) {
        const PhotoRecord* photo = photoList.Find(entry.photoId);
        return photo ? photo->ShotTimeKey() : std::uint64_t{0};
    };
    std::stable_sort(entries.begin(), entries.end(),
                     [ascending, &key](const PlacedPhoto& a, const PlacedPhoto& b) {
                         return ascending ? key(a) < key(b) : key(a) > key(b);
                     });
}

void PlacedPhotoList::SortByX()
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const PlacedPhoto& a, const PlacedPhoto& b) { return a.x > b.x; });
}
