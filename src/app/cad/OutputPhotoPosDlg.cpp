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
    : CKeyPolicyDialog(parent),
      m_outputCad(std::move(outputCad)),
      m_outputShapefile(std::move(outputShapefile))
{
    setWindowTitle(QStringLiteral("写真位置 CAD / シェープ 出力"));

    m_cadPicture = new QLabel(this);
    m_shapefilePicture = new QLabel(this);
    m_cad = new QPushButton(QStringLiteral("  CAD出力    "), this);
    m_shapefile = new QPushButton(QStringLiteral(" シェープ出力  "), this);
    m_close = new QPushButton(QStringLiteral("閉じる"), this);
    auto* note =
        new QLabel(QStringLiteral("※ 位置図単位ではなく、撮影写真\n　  一覧の写真全てを出力します。"), this);

    const QString exeFolder = fe::GetExeFolder();
    if (!exeFolder.isEmpty()) {
        const QPixmap cadIcon(exeFolder + QStringLiteral("Icon/iconCadFile.png"));
        const QPixmap shapeIcon(exeFolder + QStringLiteral("Icon/iconShapeFile.png"));
        m_cadPicture->setPixmap(cadIcon);
        m_shapefilePicture->setPixmap(shapeIcon);
        m_cad->setIcon(cadIcon);
        m_shapefile->setIcon(shapeIcon);
    }
    for (QPushButton* button : {m_cad, m_shapefile}) {
        QFont font = button->font();
        font.setPixelSize(15);
        button->setFont(font);
        button->setMinimumHeight(40);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(m_cadPicture, 0, 0);
    grid->addWidget(m_cad, 0, 1);
    grid->addWidget(m_shapefilePicture, 1, 0);
    grid->addWidget(m_shapefile, 1, 1);
    grid->addWidget(note, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_close, 0, Qt::AlignRight);

    const bool hasPath = project.HasPath();
    const bool hasPhotos = !project.photos.photos.empty();
    m_cad->setEnabled(hasPath && project.maps.Count() > 0 && hasPhotos);
    m_shapefile->setEnabled(hasPath && hasPhotos);

    connect(m_cad, &QPushButton::clicked, this, [this] { Run(m_outputCad); });
    connect(m_shapefile, &QPushButton::clicked, this, [this] { Run(m_outputShapefile); });
    connect(m_close, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    SetCancelButton(m_close);
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
