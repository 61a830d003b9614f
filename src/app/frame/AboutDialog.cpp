#include "app/frame/AboutDialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppTitle.h"
#include "app/FolderOpener.h"
#include "app/frame/FrameTexts.h"
#include "app/frame/ToolbarIcons.h"
#include "fe/AppFolders.h"

namespace app {

CAboutDlg::CAboutDlg(QWidget* parent) : CKeyPolicyDialog(parent)
{
    setWindowTitle(QStringLiteral("バージョン情報"));
    auto* picture = new QLabel(this);
    picture->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* product = new QLabel(kProductName, this);
    QFont productFont(QStringLiteral("メイリオ"));
    productFont.setPointSize(14);
    productFont.setBold(true);
    product->setFont(productFont);
    m_version = new QLabel(QStringLiteral(" Version ") + FormatVersionNumber(true), this);
    m_version->setObjectName(QStringLiteral("Version"));
    QFont versionFont(QStringLiteral("メイリオ"));
    versionFont.setPointSize(10);
    m_version->setFont(versionFont);
    auto* purpose = new QLabel(QStringLiteral("写真位置図・写真台帳作成"), this);

    m_readme = new QPushButton(QStringLiteral("Readme表示"), this);
    m_readme->setObjectName(QStringLiteral("Readme"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    SetOkButton(ok);
    connect(m_readme, &QPushButton::clicked, this, &CAboutDlg::ShowReadme);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(m_version);
    texts->addWidget(purpose);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_readme);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void CAboutDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        reject();
        return;
    }
    CKeyPolicyDialog::keyPressEvent(event);
}

void CAboutDlg::ShowReadme()
{
    const QString folder = fe::GetExeFolder();
    if (!folder.isEmpty())
        OpenFileWithDesktop(QDir(folder).filePath(QStringLiteral("Readme.txt")));
}

}  // namespace app
