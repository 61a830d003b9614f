#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "app/KeyPolicyDialog.h"
#include "model/ReportRecords.h"

class CTavrelDoc;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct FixedItemNames;
struct Project;

namespace app {

class CSpread7U;

// What the output settings dialog keeps in the project: the report header, the output options and which
// location maps are output.
struct ReportChoices
{
    ReportHeader labels;
    ReportHeader values;
    ReportOutputOptions options;
    std::vector<std::uint8_t> ticked;  // one per location map, in list order

    static ReportChoices Of(const Project& project);
    // Into the project; false (and nothing changed) when the map count no longer matches.
    bool ApplyTo(Project& project) const;
};

// A prefix character a file name cannot hold: a control character or one of " < > | * ? \ / :.
bool IsForbiddenFileNameChar(QChar c);

// "写真位置図 / 写真台帳 出力": the report header, the maps to output, the outputs with their layouts and
// qualities, and the file-name prefix. It works on a copy of the project's choices: "設定" stores them
// in the project (saved at once) and closes without output; " Excel出力" checks them, stores them and
// closes with Accepted, after which the caller writes the report; "キャンセル" changes nothing.
class COutputDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // The presets are the application settings' fixed item names; null offers none.
    COutputDlg(CTavrelDoc& document, const FixedItemNames* presets, QWidget* parent = nullptr);

    // The choices as the controls show them.
    ReportChoices Choices() const;

    // Controls reached by tests.
    CSpread7U* HeaderGrid() const { return m_headerGrid; }
    CSpread7U* MapGrid() const { return m_mapGrid; }
    QGroupBox* Output(int k) const { return m_outputs[k]; }  // 表紙, 写真位置図, 写真台帳, 写真一覧
    QLineEdit* PrefixEdit() const { return m_prefix; }
    QPushButton* ExcelButton() const { return m_excelButton; }
    QPushButton* StoreButton() const { return m_storeButton; }
    QComboBox* ArrangementCombo() const { return m_arrangement; }
    QComboBox* LedgerCombo() const { return m_ledger; }
    QCheckBox* PlacePhotosCheck() const { return m_placePhotos; }
    QCheckBox* PlaceCommentsCheck() const { return m_placeComments; }
    QButtonGroup* MapLayoutGroup() const { return m_mapLayout; }
    QLabel* FolderNote() const { return m_folderNote; }
    // The page pictures of the four outputs (same order as Output), darkened while an output is off.
    QLabel* Preview(int k) const { return m_previews[k]; }

protected:
    bool KeepsEnter(QWidget* focus) const override;

private:
    void BuildControls();
    void LoadChoices(const ReportChoices& choices);
    void UpdateControlStates();
    void ShowShotTimeExample();
    void DrawPreviews();
    void SetAllMaps(bool on);
    void ApplyPresetLabels(int preset);
    void OnHeaderGridKeyDown(int key);
    void OnStore();
    void OnExcelOutput();
    bool StoreInProject();

    CTavrelDoc& m_document;
    const FixedItemNames* m_presets;
    ReportChoices m_choices;  // the choices loaded and what the header Delete stored since

    CSpread7U* m_headerGrid = nullptr;
    CSpread7U* m_mapGrid = nullptr;
    QGroupBox* m_outputs[4] = {};
    QLabel* m_previews[4] = {};
    QButtonGroup* m_cover = nullptr;
    QButtonGroup* m_mapLayout = nullptr;
    QButtonGroup* m_mapQuality = nullptr;
    QButtonGroup* m_photoQuality = nullptr;
    QButtonGroup* m_shotTime = nullptr;
    QCheckBox* m_placePhotos = nullptr;
    QCheckBox* m_placeComments = nullptr;
    QCheckBox* m_originalNames = nullptr;
    QComboBox* m_arrangement = nullptr;
    QComboBox* m_ledger = nullptr;
    QLineEdit* m_prefix = nullptr;
    QLabel* m_example = nullptr;
    QLabel* m_folderNote = nullptr;
    QPushButton* m_excelButton = nullptr;
    QPushButton* m_storeButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

}  // namespace app
