#pragma once

#include <QDate>
#include <QWidget>
#include <optional>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

namespace app {

// A date that may be empty: a text edit with a drop-down button that opens a calendar. The calendar's
// date ("the picker") is kept apart from the text, as the dialogs that use it read either.
class CDateField : public QWidget
{
    Q_OBJECT

public:
    explicit CDateField(QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_edit; }
    QToolButton* DropButton() const { return m_drop; }
    QString Text() const;
    void SetText(const QString& text);
    // The picker's date; none for "no date".
    std::optional<QDate> PickerDate() const { return m_picked; }
    void SetPickerDate(const std::optional<QDate>& date) { m_picked = date; }

    // Shows the stored text: ':' read as '/', a year-first date shown as "2023/04/05" and set as the
    // picker's date; a text that does not read empties the edit and leaves the picker; an empty text
    // sets no date.
    void Load(const QString& stored);
    // The text to store: the picker's date as "2023/04/05" when `fromPicker` and it holds one, else the
    // typed text when it reads year first, else the empty text.
    QString StoredText(bool fromPicker) const;

    // Chooses the day as the calendar does (the drop-down's click on a day).
    void PickDate(const QDate& date);
    QCalendarWidget* Calendar() const { return m_calendar; }

signals:
    // The edit lost the focus.
    void EditLeft();
    // A day was chosen in the calendar.
    void DatePicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenCalendar();

    QLineEdit* m_edit = nullptr;
    QToolButton* m_drop = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    std::optional<QDate> m_picked;
};

}  // namespace app
