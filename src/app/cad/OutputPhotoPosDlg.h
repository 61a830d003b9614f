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

    QPushButton* CadButton() const { return cad_; }
    QPushButton* ShapefileButton() const { return shapefile_; }
    QPushButton* CloseButton() const { return close_; }
    QLabel* CadPicture() const { return cadPicture_; }
    QLabel* ShapefilePicture() const { return shapefilePicture_; }

private:
    void Run(const std::function<void()>& output);

    std::function<void()> outputCad_;
    std::function<void()> outputShapefile_;
    QLabel* cadPicture_ = nullptr;
    QLabel* shapefilePicture_ = nullptr;
    QPushButton* cad_ = nullptr;
    QPushButton* shapefile_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace app
