#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "app/KeyPolicyDialog.h"
#include "report/ReportProgress.h"

class CTavrelDoc;
class QPushButton;

namespace app {

class CSpread7U;

// "ため池劣化状況評価調査表出力": ticks the location maps whose survey workbooks are made ("全ON", "全OFF"),
// and " Excel出力" stores the ticks in the project, writes the workbooks into the project's dated Excel
// folder under the progress window and opens that folder, or says what went wrong; the dialog then
// closes with Accepted. "閉じる" closes it without storing the ticks.
class COutputRsBookDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    explicit COutputRsBookDlg(CTavrelDoc& document, QWidget* parent = nullptr);

    // The ticks as the grid shows them, one per map in list order.
    std::vector<std::uint8_t> Ticks() const;

    // The template the workbooks are made from (the shipped one by default) and the progress window of
    // the run (the application's by default); tests set their own.
    void SetTemplatePath(const QString& path) { m_templatePath = path; }
    void SetProgressFactory(ReportProgressFactory factory) { m_progressFactory = std::move(factory); }

    CSpread7U* MapGrid() const { return m_grid; }
    QPushButton* AllOnButton() const { return m_allOn; }
    QPushButton* AllOffButton() const { return m_allOff; }
    QPushButton* ExcelButton() const { return m_excel; }
    QPushButton* CloseButton() const { return m_close; }

private:
    void FillGrid();
    void SetAll(bool on);
    void OnExcelOutput();
    bool StoreTicks(const std::vector<std::uint8_t>& ticks);
    void WriteBooks();

    CTavrelDoc& m_document;
    QString m_templatePath;
    ReportProgressFactory m_progressFactory;
    CSpread7U* m_grid = nullptr;
    QPushButton* m_allOn = nullptr;
    QPushButton* m_allOff = nullptr;
    QPushButton* m_excel = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace app
