#include "app/photos/DateField.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

#include "app/photos/YearFirstDate.h"

namespace app {

CDateField::CDateField(QWidget* parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("DateText"));
    m_edit->setMaxLength(30000);
    m_edit->installEventFilter(this);
    m_drop = new QToolButton(this);
    m_drop->setObjectName(QStringLiteral("DateDrop"));
    m_drop->setArrowType(Qt::DownArrow);
    m_drop->setAccessibleName(QStringLiteral("カレンダーを開く"));
    m_drop->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_drop);
    setFocusProxy(m_edit);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setWindowFlags(Qt::Popup);
    m_calendar->setGridVisible(true);
    // The month buttons show only arrows.
    if (auto* previous = m_calendar->findChild<QAbstractButton*>(QStringLiteral("qt_calendar_prevmonth")))
        previous->setAccessibleName(QStringLiteral("前の月"));
    if (auto* next = m_calendar->findChild<QAbstractButton*>(QStringLiteral("qt_calendar_nextmonth")))
        next->setAccessibleName(QStringLiteral("次の月"));
    if (auto* days = m_calendar->findChild<QTableView*>())
        for (QAbstractButton* corner : days->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
            corner->setAccessibleName(QStringLiteral("すべて選択"));
    m_calendar->hide();
    connect(m_drop, &QToolButton::clicked, this, &CDateField::OpenCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &CDateField::PickDate);
    connect(m_calendar, &QCalendarWidget::activated, this, &CDateField::PickDate);
}

bool CDateField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::FocusOut && !m_calendar->isVisible())
        emit EditLeft();
    return QWidget::eventFilter(watched, event);
}

QString CDateField::Text() const
{
    return m_edit->text();
}

void CDateField::SetText(const QString& text)
{
    m_edit->setText(text);
}

void CDateField::Load(const QString& stored)
{
    if (stored.isEmpty()) {
        m_picked.reset();
        m_edit->clear();
        return;
    }
    QString text = stored;
    text.replace(QLatin1Char(':'), QLatin1Char('/'));
    if (const std::optional<QDate> date = ParseYearFirstDate(text)) {
        m_picked = date;
        m_edit->setText(YearFirstText(*date));
    } else {
        m_edit->clear();
    }
}

QString CDateField::StoredText(bool fromPicker) const
{
    if (fromPicker && m_picked)
        return YearFirstText(*m_picked);
    return KeptDateText(m_edit->text());
}

void CDateField::OpenCalendar()
{
    m_calendar->setSelectedDate(m_picked.value_or(QDate::currentDate()));
    m_calendar->adjustSize();
    m_calendar->move(mapToGlobal(QPoint(0, height())));
    m_calendar->show();
    m_calendar->setFocus();
}

void CDateField::PickDate(const QDate& date)
{
    m_calendar->hide();
    if (!date.isValid())
        return;
    m_picked = date;
    m_edit->setText(YearFirstText(date));
    emit DatePicked();
}

}  // namespace app
