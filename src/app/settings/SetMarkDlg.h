#pragma once

#include <QImage>
#include <array>
#include <functional>

#include "app/KeyPolicyDialog.h"
#include "model/MarkSetting.h"

class QButtonGroup;
class QLabel;
class QTabWidget;

namespace app {

class CExpButton;
class CSetMarkChildDlg;

// "写真位置マークの詳細設定": the shape, the four colours and, on the pages "画面" and "Excel出力", the
// sizes of one mark template. It edits the live template, so the view shows each change at once
// (`refreshView` is called after each); キャンセル puts the template back as it was when the dialog opened.
class CSetMarkDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    enum ColorButton
    {
        kDrawColor,
        kOutlineColor,
        kTextColor,
        kTextBackColor
    };

    CSetMarkDlg(MarkStyle& live, std::function<void()> refreshView, QWidget* parent = nullptr);

    void SetShapeKind(int kind);
    // Opens the colour dialog for one of the four colours.
    void ChooseColor(int which);

    CSetMarkChildDlg* Page(int index) const { return m_pages[size_t(index)]; }
    QTabWidget* Tabs() const { return m_tabs; }
    QButtonGroup* Shapes() const { return m_shapes; }
    CExpButton* ColorButtonOf(int which) const { return m_colors[size_t(which)]; }
    // The preview as last drawn (the setting of the page shown).
    QImage Preview() const { return m_preview; }

    void reject() override;

private:
    void Changed();

    MarkStyle& m_live;
    MarkStyle m_backup;
    std::function<void()> m_refreshView;
    QImage m_photoPoint;
    QImage m_preview;
    QLabel* m_previewLabel = nullptr;
    QTabWidget* m_tabs = nullptr;
    QButtonGroup* m_shapes = nullptr;
    std::array<CSetMarkChildDlg*, 2> m_pages{};
    std::array<CExpButton*, 4> m_colors{};
};

// The colour of a template's 0x00BBGGRR word and back.
QColor ColorOfRef(std::uint32_t colorRef);
std::uint32_t RefOfColor(const QColor& color);

}  // namespace app
