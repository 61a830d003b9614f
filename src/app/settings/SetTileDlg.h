#pragma once

#include <array>

#include "app/KeyPolicyDialog.h"
#include "app/settings/TileSiteEdits.h"
#include "fe/geo/TileSite.h"

class QCheckBox;
class QLineEdit;

namespace app {

class CSpread7U;

// "地図タイル設定": the tile sources of the three web base maps (standard, pale, aerial photo), each
// with title, server, path below it, file extension, zoom range and the transparent-tile flag. OK checks
// every source with a scratch tile server and writes TileSiteList.txt; a refused source or a file that
// cannot be written is said and the dialog stays open with its values. Nothing else changes.
class CSetTileDlg : public CKeyPolicyDialog
{
    Q_OBJECT

public:
    // `sites` fill the groups; `cacheFolder` is where the check's scratch tile server keeps its cache;
    // OK writes `listPath`.
    CSetTileDlg(const fe::geo::TileSiteVector& sites, const QString& cacheFolder, const QString& listPath,
                QWidget* parent = nullptr);

    // Shows up to three sites, the smaller zoom as the lowest.
    void FillFromSites(const fe::geo::TileSiteVector& sites);
    // What the groups hold now.
    TileSiteGroups Groups() const;

    CSpread7U* Grid(int group) const { return m_grids[static_cast<size_t>(group)]; }
    QLineEdit* ZoomLow(int group) const { return m_zoomLow[static_cast<size_t>(group)]; }
    QLineEdit* ZoomHigh(int group) const { return m_zoomHigh[static_cast<size_t>(group)]; }
    QCheckBox* Transparent(int group) const { return m_transparent[static_cast<size_t>(group)]; }
    QPushButton* ResetButton() const { return m_reset; }

    void accept() override;

protected:
    bool KeepsEnter(QWidget* focus) const override;

private:
    void ClearUnlockedSelection(CSpread7U* grid);
    static void FitGrid(CSpread7U& grid);

    std::array<CSpread7U*, 3> m_grids{};
    std::array<QLineEdit*, 3> m_zoomLow{};
    std::array<QLineEdit*, 3> m_zoomHigh{};
    std::array<QCheckBox*, 3> m_transparent{};
    QPushButton* m_reset = nullptr;
    QString m_cacheFolder;
    QString m_listPath;
};

}  // namespace app
