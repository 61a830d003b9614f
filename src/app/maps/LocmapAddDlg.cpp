#include "app/maps/LocmapAddDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "fe/AppFolders.h"

namespace app {

CLocmapAddDlg::CLocmapAddDlg(bool projectOpen, int currentMap, std::function<void()> importBackground,
                             std::function<void()> addWebMap, QWidget* parent)
    : CKeyPolicyDialog(parent), m_importBackground(std::move(importBackground)), m_addWebMap(std::move(addWebMap))
{
    setWindowTitle(QStringLiteral("写真位置図作成"));
    m_cad = new QPushButton(QStringLiteral("    CAD取込み        "), this);
    m_web = new QPushButton(QStringLiteral(" 地理院地図取込み"), this);
    m_cad->setObjectName(QStringLiteral("ImportBackgroundMap"));
    m_web->setObjectName(QStringLiteral("AddWebMap"));
    QFont buttonFont = font();
    buttonFont.setPixelSize(15);
    const QString exeFolder = fe::GetExeFolder();
    for (auto [button, icon] : {std::pair{m_cad, "Icon/iconCadFile.png"}, std::pair{m_web, "Icon/iconMap.png"}}) {
        button->setFont(buttonFont);
        button->setMinimumHeight(56);
        if (!exeFolder.isEmpty()) {
            const QPixmap picture(exeFolder + QLatin1String(icon));
            if (!picture.isNull()) {
                button->setIcon(picture);
                button->setIconSize(picture.size());
            }
        }
    }
    m_cad->setEnabled(projectOpen);
    m_web->setEnabled(projectOpen && currentMap < 0);
    connect(m_cad, &QPushButton::clicked, this, [this] { Run(m_importBackground); });
    connect(m_web, &QPushButton::clicked, this, [this] { Run(m_addWebMap); });

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    connect(close, &QPushButton::clicked, this, &CLocmapAddDlg::accept);
    SetOkButton(close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cad);
    buttons->addWidget(m_web);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(new QLabel(
        QStringLiteral("※ メインビューに背景地図範囲を収めて\n  　「地理院地図取込み」をしてください。"), this));
    layout->addLayout(closeRow);
}

void CLocmapAddDlg::Run(const std::function<void()>& command)
{
    hide();
    if (command)
        command();
    accept();
}

}  // namespace app
