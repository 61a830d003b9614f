#pragma once

#include <QImage>
#include <functional>

#include "app/KeyPolicyDialog.h"
#include "model/MarkSettingSet.h"

class QButtonGroup;
class QLabel;
class QPushButton;

namespace app {

class CSetMarkDlg;

// "写真位置マークの設定": chooses one of the six mark templates of the view's live set, shows its sample,
// resets it to its factory state, opens the detail dialog on it, and imports or exports the whole set as a
// template file. Every change reaches the live set at once and `refreshView` is called; キャンセル puts the
// set back as it was when the dialog opened (index and templates), undoing imports, resets and detail
// edits. The caller saves MarkSetting.bin after OK.
class CSetMarkTemplateDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    CSetMarkTemplateDlg(MarkSettingSet& live, std::function<void()> refreshView, QWidget* parent = nullptr);

    void SelectTemplate(int index);
    void ResetSelected();
    void EditDetails();
    void Import();
    void Export();

    int SelectedIndex() const;
    QButtonGroup* TemplateButtons() const { return m_templates; }
    QImage Sample() const { return m_sample; }

    void accept() override;
    void reject() override;

    // Runs before the detail dialog is shown (tests script it there); the dialog is shown modally unless
    // it was already ended.
    std::function<void(CSetMarkDlg&)> beforeDetails;

private:
    void Changed();

    MarkSettingSet& m_live;
    MarkSettingSet m_backup;
    std::function<void()> m_refreshView;
    QImage m_photoPoint;
    QImage m_sample;
    QLabel* m_sampleLabel = nullptr;
    QButtonGroup* m_templates = nullptr;
};

// The file filter of template files.
QString MarkTemplateFileFilter();

}  // namespace app
