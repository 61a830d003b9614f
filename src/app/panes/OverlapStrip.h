#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class CTavrelDoc;

namespace app {

class CSpread7U;

// The strip at the foot of the photo pane that lists the photos whose marks one click in the view hit:
// one row per photo id, in the order handed over, showing the number the view's labels use. Choosing a
// row selects that photo alone.
class CPaneOverlapDlg : public QWidget
{
    Q_OBJECT

public:
    explicit CPaneOverlapDlg(QWidget* parent = nullptr);

    void SetDocument(CTavrelDoc* document) { m_document = document; }
    // The frame's messages, the location-map pane's current map (-1 for none).
    std::function<qintptr(int, qintptr, qintptr)> sendToFrame;
    std::function<int()> currentMapIndex;

    // The view mode (0 site overview, 1 to 3 a location map) and the labels' number kind (0 the photo's
    // place in the project, 1 its number text on the map).
    void SetLabelKind(int viewMode, int numberKind);
    // Lists the ids and chooses the first; fewer than two ids empty the strip.
    void SetPhotos(const std::vector<int>& ids);
    // Takes the ids off the list; fewer than two left empty the strip. True when the strip still lists.
    bool RemovePhotos(const std::vector<int>& ids);
    // Writes every row's number again for the current label kind.
    void UpdateNumberColumn();
    void Clear();
    // Row `row` (1-based) becomes the active one and its photo the only selected photo.
    void SelectRow(int row);

    const std::vector<int>& Ids() const { return m_ids; }
    CSpread7U* Grid() const { return m_grid; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void WriteRows();
    void ColorRows();

    CTavrelDoc* m_document = nullptr;
    CSpread7U* m_grid = nullptr;
    std::vector<int> m_ids;
    int m_viewMode = 0;
    int m_numberKind = 0;
};

}  // namespace app
