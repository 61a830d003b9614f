#include "app/panes/OverlapStrip.h"

#include <QHeaderView>
#include <algorithm>

#include "app/controls/SpreadGrid.h"
#include "app/doc/TavrelDoc.h"
#include "app/frame/FrameMessages.h"

namespace app {

CPaneOverlapDlg::CPaneOverlapDlg(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("OverlapStrip"));
    m_grid = new CSpread7U(this);
    m_grid->setObjectName(QStringLiteral("OverlapGrid"));
    m_grid->SetCols(1);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    connect(m_grid, &CSpread7U::LeaveCell, this, [this](int, int, int, int newRow, bool*) {
        if (newRow > 0)
            SelectRow(newRow);
    });
}

void CPaneOverlapDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_grid->setGeometry(rect());
    // The one column always spans the strip.
    m_grid->setColumnWidth(0, std::max(0, m_grid->viewport()->width()));
}

void CPaneOverlapDlg::SetLabelKind(int viewMode, int numberKind)
{
    m_viewMode = viewMode;
    m_numberKind = numberKind;
    UpdateNumberColumn();
}

void CPaneOverlapDlg::SetPhotos(const std::vector<int>& ids)
{
    m_grid->SetRows(0);
    if (!m_document || ids.size() < 2) {
        Clear();
        return;
    }
    m_ids = ids;
    WriteRows();
    SelectRow(1);
}

bool CPaneOverlapDlg::RemovePhotos(const std::vector<int>& ids)
{
    m_ids.erase(std::remove_if(m_ids.begin(), m_ids.end(),
                               [&ids](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }),
                m_ids.end());
    UpdateNumberColumn();
    return !m_ids.empty();
}

void CPaneOverlapDlg::UpdateNumberColumn()
{
    if (m_ids.size() < 2) {
        Clear();
        return;
    }
    const int active = m_grid->ActiveRow();
    WriteRows();
    if (active >= 1 && active <= int(m_ids.size()))
        m_grid->SetActiveCell(1, active);
    ColorRows();
}

void CPaneOverlapDlg::Clear()
{
    m_grid->SetActiveCell(-1000, -1000);
    m_grid->SetRows(0);
    m_ids.clear();
}

void CPaneOverlapDlg::WriteRows()
{
    if (!m_document)
        return;
    const Project& project = m_document->GetProject();
    const int mapIndex = currentMapIndex ? currentMapIndex() : -1;
    const LocationMap* map = project.maps.IsValidIndex(mapIndex) ? &project.maps.maps[size_t(mapIndex)] : nullptr;
    const bool mapNumbers = m_viewMode >= 1 && m_viewMode <= 3 && m_numberKind == 1;
    m_grid->SetRows(int(m_ids.size()));
    m_grid->SetCol(1);
    for (size_t k = 0; k < m_ids.size(); ++k) {
        m_grid->SetRow(int(k) + 1);
        if (!mapNumbers)
            m_grid->SetText(QString::number(project.photos.IndexOfId(m_ids[k]) + 1));
        else if (map)
            m_grid->SetText(map->photos.NumberText(map->photos.IndexOfPhoto(m_ids[k])));
        else
            m_grid->SetText(QString());
    }
}

void CPaneOverlapDlg::SelectRow(int row)
{
    if (row < 1)
        return;
    if (row > int(m_ids.size())) {
        m_grid->SetActiveCell(-1000, -1000);
        ColorRows();
        return;
    }
    m_grid->SetEventEnabled(kSpreadEventLeaveCell, false);
    m_grid->SetActiveCell(1, row);
    m_grid->SetEventEnabled(kSpreadEventLeaveCell, true);
    // The frame makes the photo the only selected one, which the view draws highlighted.
    if (sendToFrame)
        sendToFrame(kMsgSelectPhoto, m_ids[size_t(row - 1)], 0);
    ColorRows();
}

void CPaneOverlapDlg::ColorRows()
{
    const int rows = m_grid->Rows();
    if (rows == 0)
        return;
    m_grid->SetCol(1);
    m_grid->SetRow(1);
    m_grid->SetCol2(1);
    m_grid->SetRow2(rows);
    m_grid->SetBlockMode(true);
    m_grid->SetBackColor(QColor(255, 255, 255));
    m_grid->SetBlockMode(false);
    const int active = m_grid->ActiveRow();
    if (active >= 1 && active <= rows) {
        m_grid->SetRow(active);
        m_grid->SetBackColor(QColor(255, 242, 0));
    }
}

}  // namespace app
