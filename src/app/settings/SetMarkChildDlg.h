#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "model/MarkSetting.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace app {

class CExpEdit;

// One page of the mark detail dialog: the sizes and switches of one mark setting (page 0 the screen's,
// page 1 the Excel output's), each size an edit with up/down arrows. Every change goes into the live
// setting at once; a size whose text is empty or out of its range is left as it was, and the edit's
// own check reports it when the focus leaves.
class CSetMarkChildDlg : public QWidget
{
    Q_OBJECT

public:
    enum Field
    {
        kCoreRadius,
        kOutlineWidth,
        kLineWidth,
        kFontSize,
        kArrowLength,
        kArrowHeadLength,
        kLabelDistance,
        kFieldCount
    };

    CSetMarkChildDlg(int page, locmap::MarkSetting& live, QWidget* parent = nullptr);

    // The other page, asked about switch changes and copied from.
    void SetOtherPage(CSetMarkChildDlg* other) { m_other = other; }
    // Shape 1 (number in the circle) has no label distance and no leader.
    void SetShapeKind(int kind);
    // Shows the live setting.
    void Fill();
    // Reads the page into the live setting (see the class comment); a changed switch may be copied to
    // the other page after asking.
    void Apply();
    // One click of a size's arrows: +1 or -1 (integers by one, lengths by 1.0).
    void StepField(int field, int direction);
    // Takes every field of the other page's setting.
    void CopyFromOtherPage();

    int Page() const { return m_page; }
    CExpEdit* Edit(int field) const { return m_edits[size_t(field)]; }
    QToolButton* UpArrow(int field) const { return m_up[size_t(field)]; }
    QCheckBox* ArrowCheck() const { return m_arrow; }
    QCheckBox* BackgroundCheck() const { return m_background; }
    QCheckBox* LeaderCheck() const { return m_leader; }
    QPushButton* CopyButton() const { return m_copy; }
    QLabel* PointUnit() const { return m_unit; }

    // After every change that shows (the preview and the view are drawn again).
    std::function<void()> changed;

private:
    void Changed();

    int m_page;
    locmap::MarkSetting& m_live;
    CSetMarkChildDlg* m_other = nullptr;
    int m_kind = 0;
    bool m_filling = false;
    std::array<CExpEdit*, kFieldCount> m_edits{};
    std::array<QToolButton*, kFieldCount> m_up{};
    std::array<QToolButton*, kFieldCount> m_down{};
    QCheckBox* m_arrow = nullptr;
    QCheckBox* m_background = nullptr;
    QCheckBox* m_leader = nullptr;
    QPushButton* m_copy = nullptr;
    QLabel* m_unit = nullptr;
};

}  // namespace app
