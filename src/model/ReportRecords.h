#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Five texts of the report cover: index 0 is the title, 1 to 4 the cover items. A project holds one as the
// labels and one as the values.
struct ReportHeader
{
    std::array<QString, 5> texts{QStringLiteral("報告書")};

    // Labels as a new project has them: the title label is empty.
    static ReportHeader DefaultLabels();
    // Values as a new project has them: the title "報告書", the items empty.
    static ReportHeader DefaultValues();

    friend bool operator==(const ReportHeader&, const ReportHeader&) = default;
};

// The choices of the output settings dialog for location maps and photo ledgers.
struct ReportOutputOptions
{
    std::int32_t outputKind = 1;  // 0 Word, 1 Excel
    std::uint8_t outputCover = 1;
    std::uint8_t outputMapSheets = 1;
    std::uint8_t outputLedger = 1;
    std::uint8_t outputPhotoList = 1;
    std::uint8_t coverLandscape = 0;
    std::int32_t mapLayout = 0;  // 0 portrait A4, 1 landscape A4, 2 landscape A3
    std::uint8_t placePhotos = 0;
    std::uint8_t placePhotoComments = 0;
    std::int32_t ledgerLayout = 0;
    std::int32_t shotTimeFormat = 2;  // 0 none, 1 date, 2 date hh:mm, 3 date hh:mm:ss
    std::uint8_t optionsStored = 1;
    QString fileNamePrefix;
    std::uint8_t splitWorkbook = 1;
    std::int32_t pagesPerWorkbook = 10;
    std::int32_t photoQuality = 1;
    std::int32_t mapQuality = 1;
    std::int32_t photoPlacement = 0;
    std::uint8_t listOriginalFileName = 0;

    // Comments go on the map sheet only together with the photos.
    bool ShouldPlacePhotoComments() const { return placePhotos != 0 && placePhotoComments != 0; }

    friend bool operator==(const ReportOutputOptions&, const ReportOutputOptions&) = default;
};

// The photo import conditions.
struct PhotoImportSettings
{
    std::uint8_t skipSameName = 1;
    std::uint8_t alsoSameShotTime = 1;
    std::uint8_t dateFilter = 0;
    QString fromDate;
    QString toDate;
    std::uint8_t takeDirection = 1;

    friend bool operator==(const PhotoImportSettings&, const PhotoImportSettings&) = default;
};
