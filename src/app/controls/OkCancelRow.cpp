#include "app/controls/OkCancelRow.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "app/KeyPolicyDialog.h"

namespace app {

OkCancelRow MakeOkCancelRow(CKeyPolicyDialog& dialog)
{
    OkCancelRow row;
    row.ok = new QPushButton(QStringLiteral("OK"), &dialog);
    row.cancel = new QPushButton(QStringLiteral("キャンセル"), &dialog);
    QObject::connect(row.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(row.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    dialog.SetOkButton(row.ok);
    dialog.SetCancelButton(row.cancel);
    row.layout = new QHBoxLayout;
    row.layout->addStretch();
    row.layout->addWidget(row.ok);
    row.layout->addWidget(row.cancel);
    return row;
}

}  // namespace app
