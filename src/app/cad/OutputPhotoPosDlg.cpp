#include "app/cad/OutputPhotoPosDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "fe/AppFolders.h"
#include "model/Project.h"

namespace app {

COutputPhotoPosDlg::COutputPhotoPosDlg(const Project& project, std::function<void()> outputCad,
                                       std::function<void()> outputShapefile, QWidget* parent)
    : CKeyPolicyDialog(parent), outputCad_(std::move(outputCad)), outputShapefile_(std::move(outputShapefile))
{
    setWindowTitle(QStringLiteral("写真位置 CAD / シェープ 出力"));

    cadPicture_ = new QLabel(this);
    shapefilePicture_ = new QLabel(this);
    cad_ = new QPushButton(QStringLiteral("  CAD出力    "), this);
    shapefile_ = new QPushButton(QStringLiteral(" シェープ出力  "), this);
    close_ = new QPushButton(QStringLiteral("閉じる"), this);
    auto* note =
        new QLabel(QStringLiteral("※ 位置図単位ではなく、撮影写真\n　  一覧の写真全てを出力します。"), this);

    const QString exeFolder = fe::GetExeFolder();
    if (!exeFolder.isEmpty()) {
        const QPixmap cadIcon(exeFolder + QStringLiteral("Icon/iconCadFile.png"));
        const QPixmap shapeIcon(exeFolder + QStringLiteral("Icon/iconShapeFile.png"));
        cadPicture_->setPixmap(cadIcon);
        shapefilePicture_->setPixmap(shapeIcon);
        cad_->setIcon(cadIcon);
        shapefile_->setIcon(shapeIcon);
    }
    for (QPushButton* button : {cad_, shapefile_}) {
        QFont font = button->font();
        font.setPixelSize(15);
        button->setFont(font);
        button->setMinimumHeight(40);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(cadPicture_, 0, 0);
    grid->addWidget(cad_, 0, 1);
    grid->addWidget(shapefilePicture_, 1, 0);
    grid->addWidget(shapefile_, 1, 1);
    grid->addWidget(note, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(close_, 0, Qt::AlignRight);

    const bool hasPath = project.HasPath();
    const bool hasPhotos = !project.photos.photos.empty();
    cad_->setEnabled(hasPath && project.maps.Count() > 0 && hasPhotos);
    shapefile_->setEnabled(hasPath && hasPhotos);

    connect(cad_, &QPushButton::clicked, this, [this] { Run(outputCad_); });
    connect(shapefile_, &QPushButton::clicked, this, [this] { Run(outputShapefile_); });
    connect(close_, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    SetCancelButton(close_);
}

void COutputPhotoPosDlg::Run(const std::function<void()>& output)
{
    hide();
    if (output) {
        output();
    }
    done(1);
}

}  // namespace app
