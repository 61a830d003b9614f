#include "app/controls/SpreadGrid.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMap>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringList>
#include <algorithm>

#include "app/controls/SpreadCellDelegate.h"
#include "app/controls/SpreadKeys.h"

namespace app {

CSpread7U::CSpread7U(QWidget* parent) : QTableWidget(parent)
{
    m_delegate = new SpreadCellDelegate(this);
    setItemDelegate(m_delegate);
    QItemSelectionModel* old = selectionModel();
    setSelectionModel(new SpreadSelectionModel(model(), this));
    delete old;
    // QTableWidget announces current-cell moves from the selection model it made itself, which is gone:
    // the announcements follow this one.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                emit currentItemChanged(item(current.row(), current.column()),
                                        item(previous.row(), previous.column()));
                emit currentCellChanged(current.row(), current.column(), previous.row(), previous.column());
            });
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setGridStyle(Qt::SolidLine);
    // The corner button shows no text: a screen reader hears what it does.
    for (QAbstractButton* corner : findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        corner->setAccessibleName(QStringLiteral("すべて選択"));

    connect(this, &QTableWidget::cellClicked, this, [this](int row, int col) {
        if (EventEnabled(kSpreadEventClick))
            emit Click(col + 1, row + 1);
    });
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int col) {
        if (EventEnabled(kSpreadEventDblClick))
            emit DblClick(col + 1, row + 1);
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CSpread7U::Scrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CSpread7U::Scrolled);
    connect(this, &QWidget::customContextMenuRequested, this, &CSpread7U::ContextMenuAt);
}

CSpread7U::~CSpread7U() = default;

QTableWidgetItem* CSpread7U::NewItem(int col) const
{
    auto* item = new QTableWidgetItem;
    switch (KindOf(col)) {
        case SpreadCellKind::Check:
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            break;
        case SpreadCellKind::Picture:
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            break;
        case SpreadCellKind::Text:
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
            break;
    }
    return item;
}

QTableWidgetItem* CSpread7U::CellItem(int col, int row, bool create) const
{
    auto* self = const_cast<CSpread7U*>(this);
    if (row == kSpreadHeader && col >= 1 && col <= columnCount()) {
        QTableWidgetItem* item = horizontalHeaderItem(col - 1);
        if (!item && create) {
            item = new QTableWidgetItem(QString::number(col));
            self->setHorizontalHeaderItem(col - 1, item);
        }
        return item;
    }
    if (col == kSpreadHeader && row >= 1 && row <= rowCount()) {
        QTableWidgetItem* item = verticalHeaderItem(row - 1);
        if (!item && create) {
            // A header item replaces the automatic row number: keep showing it.
            item = new QTableWidgetItem(QString::number(row));
            self->setVerticalHeaderItem(row - 1, item);
        }
        return item;
    }
    if (col < 1 || row < 1 || col > columnCount() || row > rowCount())
        return nullptr;
    QTableWidgetItem* item = self->item(row - 1, col - 1);
    if (!item && create) {
        item = NewItem(col);
        self->setItem(row - 1, col - 1, item);
    }
    return item;
}

template <typename Put>
void CSpread7U::ForEachAddressed(Put put)
{
    if (!m_blockMode) {
        if (QTableWidgetItem* item = CellItem(m_col, m_row, true))
            put(item);
        return;
    }
    // -1 as an end means "to the last column/row".
    const int lastCol = m_col2 == -1 ? columnCount() : m_col2;
    const int lastRow = m_row2 == -1 ? rowCount() : m_row2;
    for (int col = std::min(m_col, lastCol); col <= std::max(m_col, lastCol); ++col) {
        if (col != kSpreadHeader && col < 1)
            continue;
        for (int row = std::min(m_row, lastRow); row <= std::max(m_row, lastRow); ++row) {
            if (QTableWidgetItem* item = CellItem(col, row, true))
                put(item);
            if (row == kSpreadHeader)
                row = 0;  // go on with row 1
        }
        if (col == kSpreadHeader)
            col = 0;  // go on with column 1
    }
}

SpreadCellKind CSpread7U::KindOf(int col) const
{
    return m_kinds.value(col, SpreadCellKind::Text);
}

void CSpread7U::SetText(const QString& text)
{
    ForEachAddressed([&](QTableWidgetItem* item) {
        if (item->data(Qt::CheckStateRole).isValid())
            item->setCheckState(text == QLatin1String("1") ? Qt::Checked : Qt::Unchecked);
        else
            item->setText(text);
    });
}

QString CSpread7U::Text() const
{
    const QTableWidgetItem* item = CellItem(m_col, m_row, false);
    if (!item)
        return {};
    if (item->data(Qt::CheckStateRole).isValid())
        return item->checkState() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
    return item->text();
}

void CSpread7U::SetValue(const QString& value)
{
    SetText(value);
}

QString CSpread7U::Value() const
{
    return Text();
}

void CSpread7U::SetLock(bool locked)
{
    ForEachAddressed([&](QTableWidgetItem* item) {
        Qt::ItemFlags flags = item->flags();
        const bool isCheck = item->data(Qt::CheckStateRole).isValid();
        const bool isPicture = item->data(kSpreadPictureRole).isValid();
        if (locked)
            flags &= ~(Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
        else if (isCheck)
            flags |= Qt::ItemIsUserCheckable;
        else if (!isPicture)
            flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        item->setData(kSpreadLockedRole, locked ? QVariant(true) : QVariant());
    });
}

bool CSpread7U::Lock() const
{
    const QTableWidgetItem* item = CellItem(m_col, m_row, false);
    return item && item->data(kSpreadLockedRole).toBool();
}

void CSpread7U::SetBackColor(const QColor& color)
{
    ForEachAddressed([&](QTableWidgetItem* item) { item->setBackground(color); });
}

QColor CSpread7U::BackColor() const
{
    const QTableWidgetItem* item = CellItem(m_col, m_row, false);
    if (item && item->data(Qt::BackgroundRole).isValid())
        return item->background().color();
    return Qt::white;
}

void CSpread7U::SetForeColor(const QColor& color)
{
    ForEachAddressed([&](QTableWidgetItem* item) { item->setForeground(color); });
}

void CSpread7U::SetCellPicture(const QPixmap& picture, bool fitted)
{
    ForEachAddressed([&](QTableWidgetItem* item) {
        item->setData(kSpreadPictureRole, picture.isNull() ? QVariant() : QVariant(picture));
        item->setData(kSpreadPictureFitRole, fitted);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    });
}

void CSpread7U::SetColHidden(bool hidden)
{
    if (m_col >= 1 && m_col <= columnCount())
        setColumnHidden(m_col - 1, hidden);
}

void CSpread7U::SetColKind(SpreadCellKind kind)
{
    if (m_col < 1)
        return;
    m_kinds[m_col] = kind;
    // A column not made yet gets its cells when the column count grows (PrepareRows).
    if (m_col > columnCount())
        return;
    for (int row = 1; row <= rowCount(); ++row) {
        delete takeItem(row - 1, m_col - 1);
        if (kind != SpreadCellKind::Text)
            setItem(row - 1, m_col - 1, NewItem(m_col));
    }
}

void CSpread7U::PrepareRows(int first)
{
    for (auto it = m_kinds.cbegin(); it != m_kinds.cend(); ++it) {
        if (it.value() == SpreadCellKind::Text || it.key() > columnCount())
            continue;
        for (int row = first; row <= rowCount(); ++row) {
            if (!CellItem(it.key(), row, false))
                setItem(row - 1, it.key() - 1, NewItem(it.key()));
        }
    }
}

void CSpread7U::SetCols(int count)
{
    setColumnCount(std::max(0, count));
    PrepareRows(1);
}

void CSpread7U::SetRows(int count)
{
    const int before = rowCount();
    setRowCount(std::max(0, count));
    PrepareRows(before + 1);
}

void CSpread7U::SetActiveCell(int col, int row)
{
    m_programmaticMove = true;
    if (col == kSpreadHeader && row == kSpreadHeader) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        clearSelection();
    } else if (col >= 1 && row >= 1 && col <= columnCount() && row <= rowCount()) {
        setCurrentCell(row - 1, col - 1);
    }
    m_programmaticMove = false;
}

CSpread7U::Block CSpread7U::SelectedBlock() const
{
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (!ranges.isEmpty()) {
        const QTableWidgetSelectionRange& range = ranges.front();
        return {range.leftColumn() + 1, range.topRow() + 1, range.rightColumn() + 1, range.bottomRow() + 1};
    }
    return {ActiveCol(), ActiveRow(), ActiveCol(), ActiveRow()};
}

void CSpread7U::SetEditMode(bool on)
{
    if (on) {
        if (QTableWidgetItem* item = currentItem(); item && (item->flags() & Qt::ItemIsEditable))
            editItem(item);
        else if (!currentItem() && currentIndex().isValid() && KindOf(ActiveCol()) == SpreadCellKind::Text)
            edit(currentIndex());
        return;
    }
    if (QWidget* editor = m_delegate->Editor(); editor && EditMode()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void CSpread7U::SetBlockSelection(int mode)
{
    setSelectionMode(mode == 0 ? QAbstractItemView::SingleSelection : QAbstractItemView::ContiguousSelection);
}

void CSpread7U::SetEmptyAreaColor(const QColor& color)
{
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, color);
    viewport()->setPalette(palette);
    viewport()->setAutoFillBackground(true);
}

void CSpread7U::SetLockedBackColor(const QColor& color)
{
    m_lockedBackColor = color;
    viewport()->update();
}

void CSpread7U::SetSetupFlag(int id, bool on)
{
    if (on)
        m_setupFlags.insert(id);
    else
        m_setupFlags.remove(id);
}

void CSpread7U::SetEventEnabled(int eventId, bool on)
{
    if (on)
        m_disabledEvents.remove(eventId);
    else
        m_disabledEvents.insert(eventId);
}

bool CSpread7U::MayMoveTo(const QModelIndex& index)
{
    const QModelIndex current = currentIndex();
    if (m_programmaticMove || m_leaveAsked || !current.isValid() || index == current)
        return true;
    const int col = current.column() + 1, row = current.row() + 1;
    const int newCol = index.isValid() ? index.column() + 1 : kSpreadHeader;
    const int newRow = index.isValid() ? index.row() + 1 : kSpreadHeader;
    bool cancel = false;
    if (EventEnabled(kSpreadEventLeaveCell))
        emit LeaveCell(col, row, newCol, newRow, &cancel);
    if (!cancel && newRow != row && EventEnabled(kSpreadEventLeaveRow))
        emit LeaveRow(row, newRow, &cancel);
    return !cancel;
}

void CSpread7U::UserEdited(const QModelIndex& index)
{
    if (EventEnabled(kSpreadEventChange))
        emit Change(index.column() + 1, index.row() + 1);
}

void CSpread7U::UserToggled(const QModelIndex& index)
{
    if (EventEnabled(kSpreadEventButtonClicked)) {
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        emit ButtonClicked(index.column() + 1, index.row() + 1, checked ? 1 : 0);
    }
}

void CSpread7U::Scrolled()
{
    const int left = LeftCol(), top = TopRow();
    if (left == m_lastLeft && top == m_lastTop)
        return;
    const int oldLeft = m_lastLeft, oldTop = m_lastTop;
    m_lastLeft = left;
    m_lastTop = top;
    if (EventEnabled(kSpreadEventTopLeftChange))
        emit TopLeftChange(oldLeft, oldTop, left, top);
}

void CSpread7U::ContextMenuAt(const QPoint& pos)
{
    if (!EventEnabled(kSpreadEventRightClick))
        return;
    const QModelIndex index = indexAt(pos);
    emit RightClick(0, index.isValid() ? index.column() + 1 : 0, index.isValid() ? index.row() + 1 : 0,
                    pos.x(), pos.y());
}

QString CSpread7U::SelectedCellsText() const
{
    QMap<int, QMap<int, QString>> rows;  // row -> column -> text, both sorted
    for (const QModelIndex& index : selectedIndexes())
        rows[index.row()][index.column()] = index.data(Qt::DisplayRole).toString();
    if (rows.isEmpty() && currentIndex().isValid())
        rows[currentIndex().row()][currentIndex().column()] = currentIndex().data(Qt::DisplayRole).toString();
    QString text;
    for (const QMap<int, QString>& cells : rows)
        text += QStringList(cells.values()).join(u'\t') + u'\n';
    return text;
}

void CSpread7U::keyPressEvent(QKeyEvent* event)
{
    if (!EditMode() && SetupFlag(10) && event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(SelectedCellsText());
        event->accept();
        return;
    }
    if (!EditMode()) {
        int code = SpreadKeyCode(event);
        if (code != 0 && EventEnabled(kSpreadEventKeyDown)) {
            emit KeyDown(&code, SpreadShiftState(event->modifiers()));
            if (code == 0) {
                event->accept();
                return;
            }
        }
        // Enter moves down one row inside the grid instead of leaving it.
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            const QModelIndex next = moveCursor(QAbstractItemView::MoveDown, event->modifiers());
            if (next.isValid() && next != currentIndex())
                selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
            event->accept();
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void CSpread7U::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index != currentIndex()) {
        if (!MayMoveTo(index)) {
            // The release of this press must not act on the cell either (a check box would toggle).
            m_pressRefused = true;
            event->accept();
            return;
        }
        m_leaveAsked = true;
        QTableWidget::mousePressEvent(event);
        m_leaveAsked = false;
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void CSpread7U::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_pressRefused) {
        m_pressRefused = false;
        event->accept();
        return;
    }
    QTableWidget::mouseReleaseEvent(event);
}

}  // namespace app
