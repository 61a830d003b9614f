#include "app/settings/CommentTemplateSettingDlg.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Prompts.h"
#include "app/controls/ExpTextEdit.h"
#include "app/controls/OkCancelRow.h"
#include "app/settings/CommentTemplate.h"

namespace app {

CCommentTemplateSettingDlg::CCommentTemplateSettingDlg(const QString& path, QWidget* parent)
    : CKeyPolicyDialog(parent), m_path(path)
{
    setWindowTitle(QStringLiteral("コメント定型文編集"));
    setSizeGripEnabled(true);
    m_edit = new CExpTextEdit(this);
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* note = new QLabel(QStringLiteral("1行で1つのコメントとなります。\n行頭に@をつけると、次の行から新しい分類のコメントになります。"),
                            this);
    const OkCancelRow bottom = MakeOkCancelRow(*this);
    bottom.layout->insertWidget(0, note);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit, 1);
    layout->addLayout(bottom.layout);
    resize(560, 420);

    CommentTemplateSet set;
    if (set.Load(m_path)) {
        // The editor shows CR LF line ends as plain line breaks.
        QString text = CommentEditorText(set);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        m_edit->setPlainText(text);
    }
}

void CCommentTemplateSettingDlg::showEvent(QShowEvent* event)
{
    CKeyPolicyDialog::showEvent(event);
    if (!m_sized) {
        // The size it opens at is the smallest it may be made.
        m_sized = true;
        setMinimumSize(size());
    }
}

bool CCommentTemplateSettingDlg::KeepsEnter(QWidget* focus) const
{
    return focus == m_edit || m_edit->isAncestorOf(focus) || CKeyPolicyDialog::KeepsEnter(focus);
}

void CCommentTemplateSettingDlg::accept()
{
    if (!WriteCommentTemplateFile(m_path, m_edit->toPlainText())) {
        Warn(this, QStringLiteral("コメント定型文を保存できませんでした。\n\n") + QDir::toNativeSeparators(m_path));
        return;
    }
    CKeyPolicyDialog::accept();
}

}  // namespace app
