#pragma once

class QWidget;

namespace app {

// Editable fields are white; read-only and disabled ones take the button face.
void ApplyFieldLook(QWidget* field, bool readOnly);

}  // namespace app
