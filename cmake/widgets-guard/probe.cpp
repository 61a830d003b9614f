// Built only by the layering test: a Widgets header included with the settings of a library below the
// widget layers must stop the compilation with the guard's error.
#include <QtWidgets/QWidget>
