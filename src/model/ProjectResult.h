#pragma once

#include <QString>

// Result codes of the project operations (create, save, load). 0 is success; the texts are shown to the
// user as they stand, so callers report a nonzero code with ProjectErrorText.
enum ProjectResult : int
{
    kProjectOk = 0,
    kProjectSomeError = 1,
    kProjectAlreadySaved = 2,
    kProjectNotSaved = 3,
    kProjectUnsavedCannotOverwrite = 4,
    kProjectPathMissing = 5,
    kProjectFileCannotOpen = 6,
    kProjectFilePathError = 7,
    kProjectFolderExists = 8,
    kProjectFolderCreateFailed = 9,
    kProjectFileException = 10,
    kProjectNotProjectFile = 11,
    kProjectUnsupportedVersion = 12,
    kProjectFileNotFound = 13,
    kProjectNameHasBlank = 14,
    kProjectNoPhotoFolder = 15,
    kProjectSaveFailed = 16,
    kProjectLoadFailed = 17,
};

// The message of a result code; any code outside the table gives "未定義のエラーです".
QString ProjectErrorText(int code);
