#include "fe/File.h"

namespace fe {

QString File::makeMode(const QString& mode, int encoding)
{
    switch (encoding) {
        case 1:
            return mode + QStringLiteral(",ccs=utf-8");
        case 2:
            return mode + QStringLiteral(",ccs=Utf16LE");
        case 3:
            return mode + QStringLiteral(",ccs=UNICODE");
        default:
            return mode;
    }
}

}  // namespace fe
