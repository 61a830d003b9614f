#pragma once

#include <QStringList>

#include "app/KeyPolicyDialog.h"
#include "app/settings/CommentTemplate.h"

class QPlainTextEdit;

namespace app {

class CSpread7U;

// "コメント分類選択": the categories of CommentTemplate.txt in a one-column grid, and the comment texts of
// the category chosen in a read-only list beside it. After OK the caller takes the chosen category's
// index and texts. A missing or unreadable file gives an empty list.
class CCommentTemplateDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // Reads the file at `path`; `currentIndex` is the category shown first (a negative index is taken as
    // 0, one beyond the last category as the last).
    CCommentTemplateDlg(const QString& path, int currentIndex, QWidget* parent = nullptr);

    // Shows category `index`: beyond the last, the last one (nothing with no categories).
    void ShowCategory(int index);

    // The chosen category's index and texts (empty with no categories).
    int CurrentIndex() const { return m_index; }
    QStringList CurrentTexts() const;

    CSpread7U* Grid() const { return m_grid; }
    QPlainTextEdit* CommentList() const { return m_list; }

protected:
    bool KeepsEnter(QWidget* focus) const override;

private:
    CommentTemplateSet m_set;
    int m_index = 0;
    CSpread7U* m_grid = nullptr;
    QPlainTextEdit* m_list = nullptr;
};

}  // namespace app
