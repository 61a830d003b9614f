#include "app/linesort/SetLinearSortDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/doc/TavrelDoc.h"

namespace app {

CSetLinearSortDlg::CSetLinearSortDlg(CTavrelDoc& doc, int mapIndex, QWidget* parent)
    : CKeyPolicyDialog(parent), m_doc(doc), m_mapIndex(mapIndex)
{
    setWindowTitle(QStringLiteral("マウスでソート設定"));
    auto* group = new QGroupBox(QStringLiteral("接触幅"), this);
    m_slider = new QSlider(Qt::Horizontal, group);
    m_slider->setRange(kMinWidth, kMaxWidth);
    const LocationMapList& maps = m_doc.GetProject().maps;
    if (maps.IsValidIndex(m_mapIndex))
        m_kept = maps.maps[static_cast<size_t>(m_mapIndex)].runtime.sortContactWidth;
    m_slider->setValue(m_kept);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(QStringLiteral("細"), group));
    row->addWidget(m_slider, 1);
    row->addWidget(new QLabel(QStringLiteral("太"), group));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    SetOkButton(ok);
    SetCancelButton(cancel);
    connect(ok, &QPushButton::clicked, this, &CSetLinearSortDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSetLinearSortDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    resize(320, sizeHint().height());

    connect(m_slider, &QSlider::valueChanged, this, &CSetLinearSortDlg::StoreContactWidth);
}

void CSetLinearSortDlg::StoreContactWidth(int width)
{
    if (!m_doc.GetProject().maps.IsValidIndex(m_mapIndex))
        return;
    // The width is never stored: a selection change redraws without saving.
    (void)m_doc.Change(ProjectChange::Selection, [&](Project& project) {
        std::int32_t& stored = project.maps.maps[static_cast<size_t>(m_mapIndex)].runtime.sortContactWidth;
        if (stored == width)
            return false;
        stored = width;
        return true;
    });
}

void CSetLinearSortDlg::accept()
{
    StoreContactWidth(m_slider->value());
    CKeyPolicyDialog::accept();
}

void CSetLinearSortDlg::reject()
{
    StoreContactWidth(m_kept);
    CKeyPolicyDialog::reject();
}

}  // namespace app
