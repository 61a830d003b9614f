#include "app/controls/FieldLook.h"

#include <QApplication>
#include <QWidget>

namespace app {

void ApplyFieldLook(QWidget* field, bool readOnly)
{
    QPalette look = field->palette();
    const QPalette standard = QApplication::palette(field);
    look.setColor(QPalette::Base, readOnly || !field->isEnabled() ? standard.color(QPalette::Button)
                                                                  : standard.color(QPalette::Base));
    field->setPalette(look);
}

}  // namespace app
