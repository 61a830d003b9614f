#include "app/controls/ExpStatic.h"

#include <QApplication>
#include <QPainter>

namespace app {

std::vector<TextRun> ParseMarkup(const QString& text)
{
    std::vector<TextRun> runs;
    auto add = [&runs](const QString& part, TextRun::Kind kind) {
        if (!part.isEmpty())
            runs.push_back({part, kind});
    };
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype open = -1;
        for (qsizetype i = pos; i + 1 < text.size(); ++i) {
            if (text[i] == QLatin1Char('{') &&
                (text[i + 1] == QLatin1Char('^') || text[i + 1] == QLatin1Char('_'))) {
                open = i;
                break;
            }
        }
        if (open < 0) {
            add(text.mid(pos), TextRun::Normal);
            break;
        }
        add(text.mid(pos, open - pos), TextRun::Normal);
        const TextRun::Kind kind = text[open + 1] == QLatin1Char('^') ? TextRun::Super : TextRun::Sub;
        const qsizetype close = text.indexOf(QLatin1Char('}'), open + 2);
        const qsizetype end = close < 0 ? text.size() : close;
        add(text.mid(open + 2, end - open - 2), kind);
        pos = close < 0 ? text.size() : close + 1;
    }
    return runs;
}

CExpStatic::CExpStatic(QWidget* parent) : CExpStatic(QString(), parent) {}

CExpStatic::CExpStatic(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    textColor = palette().color(QPalette::WindowText);
    background = palette().brush(QPalette::Button);
    fontDescription = QApplication::font();
    m_font = fontDescription;
}

void CExpStatic::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void CExpStatic::paintEvent(QPaintEvent* event)
{
    if (fontChanged) {
        m_font = fontDescription;
        fontChanged = false;
    }
    // A label showing a picture paints as usual.
    if (!pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect area = rect();
    if (frame) {
        painter.setPen(Qt::black);
        painter.setBrush(background);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    } else {
        painter.fillRect(area, background);
    }
    painter.setFont(m_font);
    painter.setPen(isEnabled() ? textColor : palette().color(QPalette::Dark));
    if (!markup) {
        const int wrap = frame ? Qt::TextSingleLine : (wordWrap() ? Qt::TextWordWrap : 0);
        painter.drawText(area, int(alignment()) | wrap, text());
        return;
    }
    PaintRuns(painter, area);
}

void CExpStatic::PaintRuns(QPainter& painter, const QRect& area)
{
    QFont small = m_font;
    if (m_font.pixelSize() > 0)
        small.setPixelSize(std::max(1, m_font.pixelSize() * 4 / 5));
    else
        small.setPointSizeF(m_font.pointSizeF() * 4 / 5);
    const QFontMetrics normal(m_font);

    // Raised and lowered runs take four fifths of their normal width plus one pixel.
    const std::vector<TextRun> runs = ParseMarkup(text());
    std::vector<int> widths;
    int total = 0;
    for (const TextRun& run : runs) {
        const int width = normal.horizontalAdvance(run.text);
        widths.push_back(run.kind == TextRun::Normal ? width : width * 4 / 5 + 1);
        total += widths.back();
    }
    int x = area.left();
    if (alignment() & Qt::AlignHCenter)
        x = area.left() + (area.width() - total) / 2;
    else if (alignment() & Qt::AlignRight)
        x = area.right() + 1 - total;
    const int height = normal.height();
    int top = area.top();
    if (alignment() & Qt::AlignVCenter)
        top = area.top() + (area.height() - height) / 2 - 1;
    const int baseline = top + normal.ascent();

    for (size_t i = 0; i < runs.size(); ++i) {
        const TextRun& run = runs[i];
        if (run.kind == TextRun::Normal) {
            painter.setFont(m_font);
            painter.drawText(x, baseline, run.text);
        } else {
            painter.setFont(small);
            const int shift = run.kind == TextRun::Super ? -height / 5 : height / 3;
            painter.drawText(x, baseline + shift, run.text);
        }
        x += widths[i];
    }
}

}  // namespace app
