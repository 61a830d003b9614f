#include "app/reservoir/OutputRsBookDlg.h"

#include <QDir>
#include <QPushButton>
#include <algorithm>

#include "app/FolderOpener.h"
#include "app/Prompts.h"
#include "app/controls/SpreadCells.h"
#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/progress/ReportProgressWindow.h"
#include "app/reservoir/SurveyLayout.h"
#include "app/reservoir/SurveyShared.h"
#include "reservoir/RsBookReport.h"

namespace app {
namespace {

constexpr int kTickColumn = 3;
const char* const kCaption = "ケルヴォル";

}  // namespace

COutputRsBookDlg::COutputRsBookDlg(CTavrelDoc& document, QWidget* parent)
    : CKeyPolicyDialog(parent), m_document(document), m_templatePath(RsBookReport::DefaultTemplatePath())
{
    setWindowTitle(QStringLiteral("ため池劣化状況評価調査表出力"));
    setFixedSize(DluX(189), DluY(160));
    m_allOn = new QPushButton(QStringLiteral("全ON"), this);
    m_allOn->setGeometry(DluRect(116, 4, 30, 14));
    m_allOff = new QPushButton(QStringLiteral("全OFF"), this);
    m_allOff->setGeometry(DluRect(152, 4, 30, 14));
    m_grid = new CSpread7U(this);
    m_grid->setGeometry(DluRect(7, 22, 174, 109));
    m_excel = new QPushButton(QStringLiteral(" Excel出力"), this);
    m_excel->setGeometry(DluRect(7, 135, 80, 20));
    QFont big = m_excel->font();
    big.setPixelSize(15);
    m_excel->setFont(big);
    m_close = new QPushButton(QStringLiteral("閉じる"), this);
    m_close->setGeometry(DluRect(132, 139, 50, 14));
    SetOkButton(m_close);

    connect(m_allOn, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(m_allOff, &QPushButton::clicked, this, [this] { SetAll(false); });
    connect(m_excel, &QPushButton::clicked, this, [this] { OnExcelOutput(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    FillGrid();
}

void COutputRsBookDlg::FillGrid()
{
    const auto& maps = m_document.GetProject().maps.maps;
    m_grid->SetCols(3);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("位置図名称"), QStringLiteral("出力")});
    m_grid->SetEmptyAreaColor(kSurveyEmptyArea);
    m_grid->SetCol(kTickColumn);
    m_grid->SetColKind(SpreadCellKind::Check);
    m_grid->SetRows(int(maps.size()));
    for (int i = 0; i < int(maps.size()); ++i) {
        SetSpreadCellText(*m_grid, 1, i + 1, QString::number(i + 1));
        SetSpreadCellText(*m_grid, 2, i + 1, maps[size_t(i)].name);
        for (int col : {1, 2}) {
            m_grid->SetCol(col);
            m_grid->SetRow(i + 1);
            m_grid->SetLock(true);
            m_grid->SetBackColor(kSurveyCream);
        }
        SetSpreadCellCheck(*m_grid, kTickColumn, i + 1, maps[size_t(i)].reservoir.includeInBook != 0 ? 1 : 0);
        m_grid->SetCol(kTickColumn);
        m_grid->SetBackColor(Qt::white);
    }
    m_grid->setColumnWidth(0, DluX(20));
    m_grid->setColumnWidth(1, DluX(110));
    m_grid->setColumnWidth(2, DluX(26));
}

std::vector<std::uint8_t> COutputRsBookDlg::Ticks() const
{
    std::vector<std::uint8_t> ticks;
    for (int row = 1; row <= m_grid->Rows(); ++row)
        ticks.push_back(GetSpreadCellCheck(*m_grid, kTickColumn, row) != 0 ? 1 : 0);
    return ticks;
}

void COutputRsBookDlg::SetAll(bool on)
{
    for (int row = 1; row <= m_grid->Rows(); ++row)
        SetSpreadCellCheck(*m_grid, kTickColumn, row, on ? 1 : 0);
}

bool COutputRsBookDlg::StoreTicks(const std::vector<std::uint8_t>& ticks)
{
    const ProjectChangeOutcome outcome = m_document.Change(ProjectChange::Maps, [&](Project& project) {
        auto& maps = project.maps.maps;
        if (ticks.size() != maps.size())
            return false;
        bool changed = false;
        for (size_t i = 0; i < maps.size(); ++i) {
            changed = changed || maps[i].reservoir.includeInBook != ticks[i];
            maps[i].reservoir.includeInBook = ticks[i];
        }
        return changed;
    });
    // A failed save was told by the document; the ticks are in the open project all the same.
    return !outcome.refused;
}

void COutputRsBookDlg::OnExcelOutput()
{
    const std::vector<std::uint8_t> ticks = Ticks();
    if (std::none_of(ticks.begin(), ticks.end(), [](std::uint8_t tick) { return tick != 0; })) {
        ShowMessage(this, QStringLiteral("出力可能な位置図が選択されていません。"), QString::fromUtf8(kCaption));
        return;
    }
    if (!StoreTicks(ticks))
        return;
    hide();
    WriteBooks();
    accept();
}

void COutputRsBookDlg::WriteBooks()
{
    QWidget* owner = parentWidget();
    const Project& project = m_document.GetProject();
    const QString folder = project.DatedExcelFolder();
    // A folder that cannot be made shows in the writer's check of the first workbook.
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    RsBookReport report(project, m_templatePath);
    report.folder = folder;
    report.SetProgressFactory(m_progressFactory ? m_progressFactory : MakeReportProgressFactory(owner));
    if (!report.WriteRsBook())
        ShowMessage(owner, report.errorText);
    else if (report.writtenCount > 0)
        ShowOutputFolder(owner, folder);
    else
        ShowMessage(owner, QStringLiteral("出力可能な帳票が存在しません。"), QString::fromUtf8(kCaption),
                    PromptIcon::Information);
}

}  // namespace app
