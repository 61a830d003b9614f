#include "app/ScriptedPrompts.h"

namespace app {

ScriptedPrompts::ScriptedPrompts()
{
    SetPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    SetPrompts(nullptr);
}

PromptAnswer ScriptedPrompts::Message(QWidget*, const QString& text, const QString& caption, PromptIcon icon,
                                      PromptButtons buttons)
{
    asked_.push_back({QStringLiteral("message"), text, caption, icon, buttons, {}});
    if (!answers_.empty()) {
        const PromptAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
            return PromptAnswer::No;
        default:
            return PromptAnswer::Cancel;
    }
}

QStringList ScriptedPrompts::NextFiles()
{
    if (files_.empty())
        return {};
    QStringList files = files_.front();
    files_.pop_front();
    return files;
}

QString ScriptedPrompts::OpenFileName(QWidget*, const QString& caption, const QString&, const QString& filter)
{
    asked_.push_back({QStringLiteral("open"), caption, {}, PromptIcon::None, PromptButtons::Ok, filter});
    const QStringList files = NextFiles();
    return files.isEmpty() ? QString() : files.front();
}

QStringList ScriptedPrompts::OpenFileNames(QWidget*, const QString& caption, const QString&,
                                           const QString& filter)
{
    asked_.push_back({QStringLiteral("openMany"), caption, {}, PromptIcon::None, PromptButtons::Ok, filter});
    return NextFiles();
}

QString ScriptedPrompts::SaveFileName(QWidget*, const QString& caption, const QString&, const QString& filter)
{
    asked_.push_back({QStringLiteral("save"), caption, {}, PromptIcon::None, PromptButtons::Ok, filter});
    const QStringList files = NextFiles();
    return files.isEmpty() ? QString() : files.front();
}

QString ScriptedPrompts::ExistingFolder(QWidget*, const QString& caption, const QString&)
{
    asked_.push_back({QStringLiteral("folder"), caption, {}, PromptIcon::None, PromptButtons::Ok, {}});
    const QStringList files = NextFiles();
    return files.isEmpty() ? QString() : files.front();
}

std::optional<QColor> ScriptedPrompts::Color(QWidget*, const QColor&)
{
    asked_.push_back({QStringLiteral("color"), {}, {}, PromptIcon::None, PromptButtons::Ok, {}});
    if (colors_.empty())
        return std::nullopt;
    const std::optional<QColor> color = colors_.front();
    colors_.pop_front();
    return color;
}

}  // namespace app
