#pragma once

#include <functional>

#include "app/KeyPolicyDialog.h"

class QPushButton;

namespace app {

// "写真位置図作成": chooses how a new location map is made. "CAD取込み" (enabled with a project) runs the
// background-map import, "地理院地図取込み" (enabled with a project and no current map) makes a map of
// the web map shown in the main view. A button hides the chooser, runs its command and closes it.
class CLocmapAddDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    CLocmapAddDlg(bool projectOpen, int currentMap, std::function<void()> importBackground,
                  std::function<void()> addWebMap, QWidget* parent = nullptr);

    QPushButton* CadButton() const { return m_cad; }
    QPushButton* WebButton() const { return m_web; }

private:
    void Run(const std::function<void()>& command);

    QPushButton* m_cad = nullptr;
    QPushButton* m_web = nullptr;
    std::function<void()> m_importBackground;
    std::function<void()> m_addWebMap;
};

}  // namespace app
