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
    m_asked.push_back({QStringLiteral("message"), text, caption, icon, buttons, {}, {}});
    if (!m_answers.empty()) {
        const PromptAnswer answer = m_answers.front();
        m_answers.pop_front();
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

std::optional<QStringList> ScriptedPrompts::NextFiles()
{
    if (m_files.empty())
        return QStringList();
    std::optional<QStringList> files = m_files.front();
    m_files.pop_front();
    return files;
}

template <class Ask>
auto ScriptedPrompts::AskReal(Ask ask)
{
    SetPrompts(nullptr);
    auto answer = ask(Prompts());
    SetPrompts(this);
    return answer;
}

QString ScriptedPrompts::OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                      const QString& filter)
{
    m_asked.push_back({QStringLiteral("open"), caption, {}, PromptIcon::None, PromptButtons::Ok, filter, folder});
    const std::optional<QStringList> files = NextFiles();
    if (!files)
        return AskReal([&](UiPrompts& real) { return real.OpenFileName(parent, caption, folder, filter); });
    return files->isEmpty() ? QString() : files->front();
}

QStringList ScriptedPrompts::OpenFileNames(QWidget* parent, const QString& caption, const QString& folder,
                                           const QString& filter)
{
    m_asked.push_back({QStringLiteral("openMany"), caption, {}, PromptIcon::None, PromptButtons::Ok, filter, folder});
    const std::optional<QStringList> files = NextFiles();
    if (!files)
        return AskReal([&](UiPrompts& real) { return real.OpenFileNames(parent, caption, folder, filter); });
    return *files;
}

QString ScriptedPrompts::SaveFileName(QWidget* parent, const QString& caption, const QString& path,
                                      const QString& filter)
{
    m_asked.push_back({QStringLiteral("save"), caption, {}, PromptIcon::None, PromptButtons::Ok, filter, path});
    const std::optional<QStringList> files = NextFiles();
    if (!files)
        return AskReal([&](UiPrompts& real) { return real.SaveFileName(parent, caption, path, filter); });
    return files->isEmpty() ? QString() : files->front();
}

QString ScriptedPrompts::ExistingFolder(QWidget* parent, const QString& caption, const QString& folder)
{
    m_asked.push_back({QStringLiteral("folder"), caption, {}, PromptIcon::None, PromptButtons::Ok, {}, folder});
    const std::optional<QStringList> files = NextFiles();
    if (!files)
        return AskReal([&](UiPrompts& real) { return real.ExistingFolder(parent, caption, folder); });
    return files->isEmpty() ? QString() : files->front();
}

std::optional<QColor> ScriptedPrompts::Color(QWidget*, const QColor&)
{
    m_asked.push_back({QStringLiteral("color"), {}, {}, PromptIcon::None, PromptButtons::Ok, {}, {}});
    if (m_colors.empty())
        return std::nullopt;
    const std::optional<QColor> color = m_colors.front();
    m_colors.pop_front();
    return color;
}

}  // namespace app
