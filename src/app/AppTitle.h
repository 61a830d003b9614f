#pragma once

#include <QString>

namespace app {

// The product name used as message-box caption, and the application title of the main window.
inline const QString kProductName = QStringLiteral("ケルヴォル");
inline const QString kAppTitle = QStringLiteral("ケルヴォル Version2");

}  // namespace app
