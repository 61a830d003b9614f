#include "app/controls/GroupTitleStyle.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

namespace app {
namespace {

class WholeGroupTitle final : public QProxyStyle
{
public:
    // A style of its own kind made afresh: a proxy over the application's style object would take that
    // style over for every widget of the program.
    WholeGroupTitle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override
    {
        QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
        if (control != CC_GroupBox || sub != SC_GroupBoxLabel)
            return rect;
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (!box || box->text.isEmpty())
            return rect;
        const int needed = box->fontMetrics.size(Qt::TextShowMnemonic, box->text).width() + 2;
        if (rect.width() < needed)
            rect.setWidth(needed);
        return rect;
    }
};

}  // namespace

QStyle* GroupTitleStyle()
{
    static QStyle* const style = new WholeGroupTitle;
    return style;
}

}  // namespace app
