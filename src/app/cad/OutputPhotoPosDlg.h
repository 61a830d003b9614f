#pragma once

#include <functional>

#include "app/KeyPolicyDialog.h"

class QLabel;
class QPushButton;
struct Project;

namespace app {

// "写真位置 CAD / シェープ 出力": chooses between the DXF drawings of the location maps and the
// shapefile sets of all photos. A button hides the chooser, runs its output synchronously (the CAD
// dialog runs inside the click) and ends the chooser with 1. Esc does nothing; "閉じる" closes.
class COutputPhotoPosDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // The project (not owned) and what the two buttons run: the main frame's CAD output and
    // shapefile output.
    COutputPhotoPosDlg(const Project& project, std::function<void()> outputCad,
                       std::function<void()> outputShapefile, QWidget* parent = nullptr);

    QPushButton* CadButton() const { return m_cad; }
    QPushButton* ShapefileButton() const { return m_shapefile; }
    QPushButton* CloseButton() const { return m_close; }
    QLabel* CadPicture() const { return m_cadPicture; }
    QLabel* ShapefilePicture() const { return m_shapefilePicture; }

private:
    void Run(const std::function<void()>& output);

    std::function<void()> m_outputCad;
    std::function<void()> m_outputShapefile;
    QLabel* m_cadPicture = nullptr;
    QLabel* m_shapefilePicture = nullptr;
    QPushButton* m_cad = nullptr;
    QPushButton* m_shapefile = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace app
