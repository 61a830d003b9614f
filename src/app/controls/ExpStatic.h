#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <vector>

namespace app {

// One run of a marked-up label text.
struct TextRun
{
    enum Kind
    {
        Normal,
        Super,
        Sub
    };
    QString text;
    Kind kind = Normal;
    bool operator==(const TextRun&) const = default;
};

// Splits "A{^2}" style markup: "{^" opens a superscript run and "{_" a subscript run, each up to
// the next "}"; the rest are normal runs. Empty runs are left out.
std::vector<TextRun> ParseMarkup(const QString& text);

// A label with its own text colour, background and font, optionally framed, whose text may carry
// superscript and subscript markup (m², Xᵢ). Owners set the members and call update().
class CExpStatic : public QLabel
{
    Q_OBJECT

public:
    explicit CExpStatic(QWidget* parent = nullptr);
    CExpStatic(const QString& text, QWidget* parent);

    QColor textColor;
    QBrush background;
    QFont fontDescription;  // made into the drawing font at the next paint when fontChanged is set
    bool fontChanged = false;
    bool frame = false;
    bool markup = false;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void PaintRuns(QPainter& painter, const QRect& area);

    QFont m_font;
};

}  // namespace app
