#pragma once

#include "app/KeyPolicyDialog.h"

class MarkStyle;
class QComboBox;
class QPushButton;
struct Project;

namespace app {

class CExpStatic;
class CSpread7U;

// "写真位置CAD出力": lists the project's location maps with a tick for each map that can be written
// as DXF (a registered picture with photos on it), writes the ticked ones into the cad folder and
// shows that folder. The ticks are the maps' CAD-output flags; "DXF出力" and "閉じる" store them in the
// project, which the caller saves when the dialog ends with Accepted. Esc and the window's close box
// do nothing: the dialog ends only through "閉じる".
class COutputCadDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // Grid columns.
    static constexpr int kColNumber = 1;
    static constexpr int kColName = 2;
    static constexpr int kColTick = 3;
    static constexpr int kColPhotos = 4;

    // The project and the view's current mark template (neither owned; the template may be null).
    COutputCadDlg(Project& project, const MarkStyle* markStyle, QWidget* parent = nullptr);

    CSpread7U* Grid() const { return m_grid; }
    CExpStatic* Warning() const { return m_warning; }
    QComboBox* FileKind() const { return m_fileKind; }
    QPushButton* AllOnButton() const { return m_allOn; }
    QPushButton* AllOffButton() const { return m_allOff; }
    QPushButton* WriteButton() const { return m_write; }
    QPushButton* CloseButton() const { return m_close; }

    // "全ON" ticks every map that can be written; "全OFF" clears every tick.
    void TickAll(bool on);
    // "DXF出力".
    void WriteDxf();
    // Every unlocked tick into its map's CAD-output flag; locked rows keep their flag.
    void StoreTicks();

    void reject() override {}

protected:
    bool KeepsEnter(QWidget* focus) const override;

private:
    void FillGrid();
    void ApplyLocks();
    bool AnyTicked() const;

    Project& m_project;
    const MarkStyle* m_markStyle;
    CSpread7U* m_grid = nullptr;
    CExpStatic* m_warning = nullptr;
    QComboBox* m_fileKind = nullptr;
    QPushButton* m_allOn = nullptr;
    QPushButton* m_allOff = nullptr;
    QPushButton* m_write = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace app
