#pragma once

// The command ids of the main frame's menu bar, toolbar and keys. The numbers are the program's own,
// kept so that traces and stored keys can be followed.
namespace app {

enum CommandId : int
{
    kCmdFileNew = 32772,
    kCmdFileOpen = 32774,
    kCmdFileSave = 32773,
    kCmdOpenProjectFolder = 32966,
    kCmdOutputReport = 32929,
    kCmdRecentFirst = 57616,
    kCmdRecentLast = 57625,
    kCmdClearRecent = 32956,
    kCmdExit = 32771,

    kCmdAddLocationMap = 32955,
    kCmdCopyMap = 32923,
    kCmdDeleteMap = 32777,
    kCmdPlaceOnMap = 32916,
    kCmdRemoveFromMap = 32786,
    kCmdPlaceInsideMap = 32785,
    kCmdSelectAllOnMap = 32926,
    kCmdNorthArrow = 32917,
    kCmdScaleBar = 32918,

    kCmdImportPhotos = 32779,
    kCmdDeletePhotos = 32780,
    kCmdImportSettings = 32958,
    kCmdPlaceOnWebMap = 32784,
    kCmdClearLatLong = 32915,
    kCmdClearDirection = 32904,
    kCmdWriteExif = 32957,

    kCmdTrack = 32944,

    kCmdViewAll = 32787,
    kCmdMoveToPhoto = 32792,
    kCmdShowPhotoPositions = 32934,
    kCmdShowMapFramesOnWeb = 32789,
    kCmdShowMapPhotoPositions = 32935,
    kCmdShowMapFramesOnMap = 32790,
    kCmdShowGreyPhotoMarks = 32940,
    kCmdPhotoNumbers = 32794,
    kCmdMapPhotoNumbers = 32795,
    kCmdShowTrack = 32945,

    kCmdCommentTemplates = 32914,
    kCmdMarkSettings = 32922,
    kCmdFixedItemNames = 32932,
    kCmdTileSettings = 32943,
    kCmdClearTileCache = 32928,

    kCmdManual = 32898,
    kCmdSupportPage = 32899,
    kCmdInformationService = 32900,
    kCmdAbout = 57664,

    kCmdAttribution = 32921,
    kCmdExportMapDxf = 32942,  // no menu item: the DXF drawing of the current registered map

    // The view's context menus.
    kCmdPlaceOnTrack = 32947,
    kCmdSelectAllPhotos = 32946,
    kCmdOpenWebMapInBrowser = 32948,
    kCmdSortEastToWest = 32959,
    kCmdSortWestToEast = 32961,
    kCmdSortSouthToNorth = 32962,
    kCmdSortNorthToSouth = 32964,
    kCmdUndoLinePoint = 32953,
    kCmdClearLine = 32954,
    kCmdRunLineSort = 32965,
};

}  // namespace app
