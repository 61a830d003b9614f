#pragma once

#include "app/KeyPolicyDialog.h"

class QLabel;

namespace app {

class CExpTextEdit;

// "コメント定型文編集": the ready-made comments of CommentTemplate.txt as one text of "@category" lines
// and comment lines. OK writes the file; when it cannot be written the dialog says so and stays open
// with the text as it is. Resizable, never smaller than it opens.
class CCommentTemplateSettingDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // Reads the file at `path` (an empty text when it is missing or unreadable).
    explicit CCommentTemplateSettingDlg(const QString& path, QWidget* parent = nullptr);

    CExpTextEdit* Editor() const { return m_edit; }

    void accept() override;

protected:
    bool KeepsEnter(QWidget* focus) const override;
    void showEvent(QShowEvent* event) override;

private:
    QString m_path;
    CExpTextEdit* m_edit = nullptr;
    bool m_sized = false;
};

}  // namespace app
