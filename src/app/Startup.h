#pragma once

class QApplication;

namespace app {

// Everything the program sets up on its QApplication before the first window: the Japanese Qt
// translations, the substitutes for the Windows font faces, and the C locale for numbers so
// that nothing stored or shown as a number depends on the user's locale.
void PrepareApplication(QApplication& application);

}  // namespace app
