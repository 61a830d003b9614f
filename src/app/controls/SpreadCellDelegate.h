#pragma once

#include <QItemSelectionModel>
#include <QPointer>
#include <QStyledItemDelegate>

namespace app {

class CSpread7U;

// Item data roles of grid cells beside Qt's own.
inline constexpr int kSpreadPictureRole = Qt::UserRole + 1;
inline constexpr int kSpreadPictureFitRole = Qt::UserRole + 2;
inline constexpr int kSpreadLockedRole = Qt::UserRole + 3;

// Paints grid cells (colours, locked look, pictures, check boxes) and tells the grid about the
// user's edits and check toggles, which are the only changes that raise its events.
class SpreadCellDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit SpreadCellDelegate(CSpread7U* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // The open cell editor, if any.
    QWidget* Editor() const { return m_editor; }

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    CSpread7U* m_grid;
    mutable QPointer<QWidget> m_editor;
};

// Asks the grid before the current cell moves, so that a cell-leave handler can keep it.
class SpreadSelectionModel final : public QItemSelectionModel
{
    Q_OBJECT

public:
    SpreadSelectionModel(QAbstractItemModel* model, CSpread7U* grid);

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;

private:
    CSpread7U* m_grid;
};

}  // namespace app
