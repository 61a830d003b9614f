#pragma once

#include "app/KeyPolicyDialog.h"

class QLabel;

namespace app {

// The version dialog of ヘルプ → バージョン情報: the product name, " Version 2.01" and a button that opens
// Readme.txt of the program's folder with the desktop's text viewer. It asks nothing, so Esc closes it
// as it closes any message box.
class CAboutDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* VersionLabel() const { return m_version; }
    QPushButton* ReadmeButton() const { return m_readme; }

    // Opens Readme.txt of the executable's folder; nothing when the folder is not known.
    static void ShowReadme();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_version = nullptr;
    QPushButton* m_readme = nullptr;
};

}  // namespace app
