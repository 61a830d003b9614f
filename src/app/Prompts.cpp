#include "app/Prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "app/AppTitle.h"

namespace app {
namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon)
{
    switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The real dialogs.
class QtPrompts final : public UiPrompts
{
public:
    PromptAnswer Message(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon,
                         PromptButtons buttons) override
    {
        QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::NoButton, parent);
        switch (buttons) {
            case PromptButtons::Ok:
                box.setStandardButtons(QMessageBox::Ok);
                break;
            case PromptButtons::OkCancel:
                box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                break;
            case PromptButtons::YesNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
            case PromptButtons::YesNoCancel:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                break;
        }
        switch (box.exec()) {
            case QMessageBox::Yes:
                return PromptAnswer::Yes;
            case QMessageBox::No:
                return PromptAnswer::No;
            case QMessageBox::Ok:
                return PromptAnswer::Ok;
            default:
                // Closing the box counts as its escape answer.
                return buttons == PromptButtons::YesNo ? PromptAnswer::No
                       : buttons == PromptButtons::Ok  ? PromptAnswer::Ok
                                                       : PromptAnswer::Cancel;
        }
    }

    QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }

    QStringList OpenFileNames(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter) override
    {
        return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
    }

    QString SaveFileName(QWidget* parent, const QString& caption, const QString& path,
                         const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, path, filter);
    }

    QString ExistingFolder(QWidget* parent, const QString& caption, const QString& folder) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, folder);
    }

    std::optional<QColor> Color(QWidget* parent, const QColor& initial) override
    {
        const QColor chosen = QColorDialog::getColor(initial, parent);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }
};

UiPrompts* g_installed = nullptr;

// "*.jpg" becomes "*.jpg *.JPG"; patterns already given in both cases stay once.
QStringList BothCases(const QStringList& patterns)
{
    QStringList result;
    for (const QString& pattern : patterns) {
        for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()}) {
            if (!result.contains(variant))
                result.append(variant);
        }
    }
    return result;
}

}  // namespace

UiPrompts& Prompts()
{
    static QtPrompts real;
    return g_installed ? *g_installed : real;
}

void SetPrompts(UiPrompts* prompts)
{
    g_installed = prompts;
}

QString MessageCaption(const QString& caption)
{
    return caption.isEmpty() ? kAppTitle : caption;
}

PromptAnswer ShowMessage(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon,
                         PromptButtons buttons)
{
    return Prompts().Message(parent, text, MessageCaption(caption), icon, buttons);
}

void Inform(QWidget* parent, const QString& text, const QString& caption)
{
    ShowMessage(parent, text, caption, PromptIcon::Information, PromptButtons::Ok);
}

void Warn(QWidget* parent, const QString& text, const QString& caption)
{
    ShowMessage(parent, text, caption, PromptIcon::Warning, PromptButtons::Ok);
}

bool AskYesNo(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon)
{
    return ShowMessage(parent, text, caption, icon, PromptButtons::YesNo) == PromptAnswer::Yes;
}

QString QtFileFilter(const QString& barFilter)
{
    // Already in Qt's form.
    if (!barFilter.contains(QLatin1Char('|')))
        return barFilter;
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed();
        if (name.isEmpty() && patterns.isEmpty())
            break;
        const QStringList list = BothCases(patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts));
        // The name often repeats the patterns in brackets; Qt reads the patterns from the brackets.
        const qsizetype bracket = name.lastIndexOf(QLatin1Char('('));
        if (bracket > 0 && name.endsWith(QLatin1Char(')')))
            name = name.left(bracket).trimmed();
        filters.append(QStringLiteral("%1 (%2)").arg(name, list.join(QLatin1Char(' '))));
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace app
