#include "app/controls/SpreadCellDelegate.h"

#include <QApplication>
#include <QPainter>

#include "app/controls/SpreadGrid.h"

namespace app {

SpreadCellDelegate::SpreadCellDelegate(CSpread7U* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void SpreadCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);

    // Background: the cell's own colour, else the locked colour for a locked cell, else white.
    QColor back = Qt::white;
    const QVariant own = index.data(Qt::BackgroundRole);
    if (own.isValid())
        back = own.value<QBrush>().color();
    else if (index.data(kSpreadLockedRole).toBool() && m_grid->LockedBackColor().isValid())
        back = m_grid->LockedBackColor();
    painter->fillRect(opt.rect, back);
    // A selection tints the cell so that its own colour stays visible.
    if (opt.state & QStyle::State_Selected) {
        QColor tint = opt.palette.color(QPalette::Highlight);
        tint.setAlpha(70);
        painter->fillRect(opt.rect, tint);
    }

    const QVariant picture = index.data(kSpreadPictureRole);
    if (picture.isValid()) {
        const QPixmap pixmap = picture.value<QPixmap>();
        const QRect room = opt.rect.adjusted(1, 1, -1, -1);
        if (!pixmap.isNull() && room.isValid()) {
            QSize size = pixmap.size();
            if (index.data(kSpreadPictureFitRole).toBool())
                size.scale(room.size(), Qt::KeepAspectRatio);
            QRect target(QPoint(0, 0), size);
            target.moveCenter(room.center());
            painter->save();
            painter->setClipRect(room);
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
            painter->drawPixmap(target, pixmap);
            painter->restore();
        }
    }

    // Text, check box and the focus frame; the background is already painted.
    opt.backgroundBrush = Qt::NoBrush;
    opt.state &= ~QStyle::State_Selected;
    opt.palette.setColor(QPalette::Text, index.data(Qt::ForegroundRole).isValid()
                                             ? index.data(Qt::ForegroundRole).value<QBrush>().color()
                                             : QColor(Qt::black));
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

QWidget* SpreadCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    if (!(index.flags() & Qt::ItemIsEditable))
        return nullptr;
    m_editor = QStyledItemDelegate::createEditor(parent, option, index);
    return m_editor;
}

void SpreadCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const
{
    const QString before = index.data(Qt::EditRole).toString();
    QStyledItemDelegate::setModelData(editor, model, index);
    if (index.data(Qt::EditRole).toString() != before)
        m_grid->UserEdited(index);
}

bool SpreadCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                     const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QVariant before = index.data(Qt::CheckStateRole);
    const bool handled = QStyledItemDelegate::editorEvent(event, model, option, index);
    if (handled && before.isValid() && index.data(Qt::CheckStateRole) != before)
        m_grid->UserToggled(index);
    return handled;
}

SpreadSelectionModel::SpreadSelectionModel(QAbstractItemModel* model, CSpread7U* grid)
    : QItemSelectionModel(model, grid), m_grid(grid)
{
}

void SpreadSelectionModel::setCurrentIndex(const QModelIndex& index,
                                           QItemSelectionModel::SelectionFlags command)
{
    if (!m_grid->MayMoveTo(index))
        return;
    QItemSelectionModel::setCurrentIndex(index, command);
}

}  // namespace app
