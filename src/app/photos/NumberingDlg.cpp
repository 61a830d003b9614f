#include "app/photos/NumberingDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <climits>

#include "app/AppTitle.h"
#include "app/Prompts.h"
#include "app/controls/ExpEdit.h"
#include "app/doc/TavrelDoc.h"
#include "fe/AppFolders.h"
#include "model/ProjectResult.h"

namespace app {

CSetNumberingIdDlg::CSetNumberingIdDlg(CTavrelDoc& document, NumberingLedger& ledger, int mapIndex,
                                       QWidget* parent)
    : CKeyPolicyDialog(parent), m_document(document), m_ledger(ledger), m_mapIndex(mapIndex)
{
    setObjectName(QStringLiteral("NumberingDialog"));
    setWindowTitle(QStringLiteral("番号付番"));
    // No close box: only 付番終了 ends the dialog.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);

    auto* group = new QGroupBox(QStringLiteral("連番"), this);
    auto* grid = new QGridLayout(group);
    m_prefix = new CExpEdit(group);
    m_prefix->setObjectName(QStringLiteral("Prefix"));
    m_start = new CExpEdit(group);
    m_start->setObjectName(QStringLiteral("Start"));
    m_start->SetIntegerMode(5, 1, 99999, INT_MIN);
    m_suffix = new CExpEdit(group);
    m_suffix->setObjectName(QStringLiteral("Suffix"));
    grid->addWidget(new QLabel(QStringLiteral("接頭文字"), group), 0, 0);
    grid->addWidget(m_prefix, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("連番開始"), group), 1, 0);
    grid->addWidget(m_start, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("接尾文字"), group), 2, 0);
    grid->addWidget(m_suffix, 2, 1);

    auto* number = new QPushButton(QStringLiteral("連番付番"), this);
    number->setObjectName(QStringLiteral("NumberSerially"));
    auto* arrow = new QLabel(this);
    arrow->setAlignment(Qt::AlignCenter);
    const QString exeFolder = fe::GetExeFolder();
    if (!exeFolder.isEmpty()) {
        const QPixmap picture(exeFolder + QStringLiteral("Icon/Arrow.png"));
        if (!picture.isNull())
            arrow->setPixmap(picture);
    }
    auto* apply = new QPushButton(QStringLiteral("変更後番号を適用"), this);
    apply->setObjectName(QStringLiteral("Apply"));
    auto* clear = new QPushButton(QStringLiteral("変更後番号のクリア"), this);
    clear->setObjectName(QStringLiteral("Clear"));
    auto* end = new QPushButton(QStringLiteral("付番終了"), this);
    end->setObjectName(QStringLiteral("End"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(number);
    layout->addWidget(arrow);
    layout->addWidget(apply);
    layout->addWidget(clear);
    layout->addSpacing(8);
    layout->addWidget(end);
    SetOkButton(end);

    connect(number, &QPushButton::clicked, this, &CSetNumberingIdDlg::NumberSerially);
    connect(apply, &QPushButton::clicked, this, &CSetNumberingIdDlg::ApplyNumbers);
    connect(clear, &QPushButton::clicked, this, &CSetNumberingIdDlg::ClearNumbers);
    connect(end, &QPushButton::clicked, this, &CSetNumberingIdDlg::EndNumbering);

    LoadNumbering();
    m_prefix->setFocus();
}

void CSetNumberingIdDlg::LoadNumbering()
{
    const LocationMapList& maps = m_document.GetProject().maps;
    if (!maps.IsValidIndex(m_mapIndex))
        return;
    const PlacedPhotoList& placed = maps.maps[size_t(m_mapIndex)].photos;
    m_prefix->setText(placed.prefix);
    m_start->SetInt(IsStoredStartNumber(placed.firstNumber) ? placed.firstNumber : INT_MIN);
    m_suffix->setText(placed.suffix);
}

void CSetNumberingIdDlg::StoreNumbering()
{
    const QString prefix = m_prefix->text();
    const QString suffix = m_suffix->text();
    const int start = m_start->GetInt();
    const int index = m_mapIndex;
    (void)m_document.Change(ProjectChange::PlacedPhotos, [&](Project& project) {
        if (!project.maps.IsValidIndex(index))
            return false;
        PlacedPhotoList& placed = project.maps.maps[size_t(index)].photos;
        const PlacedPhotoList before = placed;
        placed.prefix = prefix;
        placed.suffix = suffix;
        // An empty or impossible start keeps the map's number, so that no later numbering reads it.
        if (IsStoredStartNumber(start))
            placed.firstNumber = start;
        return placed.prefix != before.prefix || placed.suffix != before.suffix ||
               placed.firstNumber != before.firstNumber;
    });
}

void CSetNumberingIdDlg::NumberSerially()
{
    if (m_start->GetInt() <= 0) {
        ShowMessage(this, QStringLiteral("連番開始番号が未入力です。"));
        return;
    }
    StoreNumbering();
    m_ledger.NumberSerially();
}

void CSetNumberingIdDlg::ApplyNumbers()
{
    StoreNumbering();
    m_ledger.ApplyNewNumbers();
}

void CSetNumberingIdDlg::ClearNumbers()
{
    const int index = m_mapIndex;
    if (!m_document.GetProject().maps.IsValidIndex(index))
        return;
    // Working numbers are never saved: clearing them changes only what is shown.
    (void)m_document.Change(ProjectChange::Selection, [index](Project& project) {
        project.maps.maps[size_t(index)].photos.ClearDisplayNumbers();
        return true;
    });
    m_ledger.FillGrid();
}

bool CSetNumberingIdDlg::HasPendingNumbers() const
{
    const LocationMapList& maps = m_document.GetProject().maps;
    if (!maps.IsValidIndex(m_mapIndex))
        return false;
    for (const PlacedPhoto& entry : maps.maps[size_t(m_mapIndex)].photos.entries)
        if (!entry.workNumber.isEmpty())
            return true;
    return false;
}

void CSetNumberingIdDlg::EndNumbering()
{
    StoreNumbering();
    if (HasPendingNumbers()) {
        const PromptAnswer answer = ShowMessage(this, QStringLiteral("変更後番号を適用しますか？"), kProductName,
                                                PromptIcon::Question, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel)
            return;
        if (answer == PromptAnswer::Yes) {
            StoreNumbering();
            m_ledger.ApplyNewNumbers();
        }
    }
    m_ledger.CloseNumberingDialog();
}

}  // namespace app
