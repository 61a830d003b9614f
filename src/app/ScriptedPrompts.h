#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "app/Prompts.h"

namespace app {

// Prompts that answer from a script instead of showing dialogs: tests queue the answers, run the
// code under test headless and then look at what was asked. Installs itself for its lifetime.
class ScriptedPrompts final : public UiPrompts
{
public:
    struct Asked
    {
        QString kind;  // "message", "open", "openMany", "save", "folder", "color"
        QString text;  // the message, or the file dialog's caption
        QString caption;
        PromptIcon icon = PromptIcon::None;
        PromptButtons buttons = PromptButtons::Ok;
        QString filter;
        QString path;  // the path or folder a file dialog starts at
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    // Queued answers, used in order. Without one, a message box answers Ok (or No/Cancel when it
    // asks a question) and a file or colour dialog is cancelled.
    void QueueAnswer(PromptAnswer answer) { m_answers.push_back(answer); }
    void QueueFiles(const QStringList& files) { m_files.push_back(files); }
    // The next file dialog is the real one, shown to the user (or to a test that fills it).
    void QueueRealFileDialog() { m_files.push_back(std::nullopt); }
    void QueueColor(const std::optional<QColor>& color) { m_colors.push_back(color); }

    const std::vector<Asked>& asked() const { return m_asked; }
    void clear() { m_asked.clear(); }

    PromptAnswer Message(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon,
                         PromptButtons buttons) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QStringList OpenFileNames(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& path,
                         const QString& filter) override;
    QString ExistingFolder(QWidget* parent, const QString& caption, const QString& folder) override;
    std::optional<QColor> Color(QWidget* parent, const QColor& initial) override;

private:
    // The next queued files; nullopt when the real dialog is to be shown.
    std::optional<QStringList> NextFiles();
    // Runs `ask` with the real dialogs installed, then installs these prompts again.
    template <class Ask>
    auto AskReal(Ask ask);

    std::deque<PromptAnswer> m_answers;
    std::deque<std::optional<QStringList>> m_files;
    std::deque<std::optional<QColor>> m_colors;
    std::vector<Asked> m_asked;
};

}  // namespace app
