#include "app/settings/CommentTemplateDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/controls/OkCancelRow.h"
#include "app/controls/SpreadGrid.h"

namespace app {

CCommentTemplateDlg::CCommentTemplateDlg(const QString& path, int currentIndex, QWidget* parent)
    : CKeyPolicyDialog(parent)
{
    setWindowTitle(QStringLiteral("コメント分類選択"));
    (void)m_set.Load(path);

    m_grid = new CSpread7U(this);
    m_grid->SetCols(1);
    m_grid->SetRows(int(m_set.categories.size()));
    m_grid->SetCol(1);
    m_grid->SetRow(kSpreadHeader);
    m_grid->SetText(QStringLiteral("コメント分類"));
    for (size_t k = 0; k < m_set.categories.size(); ++k) {
        m_grid->SetRow(int(k) + 1);
        m_grid->SetText(m_set.categories[k].name);
        m_grid->SetLock(true);
    }
    m_grid->SetColWidth(1, 20);

    // The texts are read, not edited: the list keeps the dialog's own background.
    m_list = new QPlainTextEdit(this);
    m_list->setReadOnly(true);
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    m_list->setPalette(palette);

    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("コメント一覧"), this));
    listColumn->addWidget(m_list, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(m_grid, 2);
    body->addLayout(listColumn, 3);
    const OkCancelRow buttons = MakeOkCancelRow(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons.layout);
    resize(560, 360);

    // The list follows the row the active cell moves to.
    connect(m_grid, &CSpread7U::LeaveCell, this, [this](int, int, int, int newRow, bool*) {
        if (newRow >= 1)
            ShowCategory(newRow - 1);
    });
    const int first = currentIndex < 0 ? 0 : currentIndex;
    ShowCategory(first);
    if (!m_set.categories.empty())
        m_grid->SetActiveCell(1, m_index + 1);
}

void CCommentTemplateDlg::ShowCategory(int index)
{
    const int count = int(m_set.categories.size());
    if (index >= count) {
        if (count == 0)
            return;
        index = count - 1;
    }
    if (index < 0)
        index = 0;
    m_index = index;
    QString text;
    for (const QString& line : m_set.categories[size_t(index)].lines)
        text += line + QStringLiteral("\n");
    m_list->setPlainText(text);
}

QStringList CCommentTemplateDlg::CurrentTexts() const
{
    if (m_index < 0 || m_index >= int(m_set.categories.size()))
        return {};
    return m_set.categories[size_t(m_index)].lines;
}

bool CCommentTemplateDlg::KeepsEnter(QWidget* focus) const
{
    return focus == m_list || focus == m_grid || m_grid->isAncestorOf(focus) ||
           CKeyPolicyDialog::KeepsEnter(focus);
}

}  // namespace app
