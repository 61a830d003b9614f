#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace app {

// Every message box and file dialog of the program goes through one UiPrompts object, so that the
// caption rules live in one place and tests can answer the questions without a screen.

enum class PromptIcon
{
    None,
    Information,
    Warning,
    Error,
    Question
};
enum class PromptButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel
};
enum class PromptAnswer
{
    Ok,
    Cancel,
    Yes,
    No
};

class UiPrompts
{
public:
    virtual ~UiPrompts() = default;

    // A message box; the caption is already final (see MessageCaption).
    virtual PromptAnswer Message(QWidget* parent, const QString& text, const QString& caption,
                                 PromptIcon icon, PromptButtons buttons) = 0;
    // File dialogs; `filter` is in Qt's form ("Name (*.a *.b);;..."). An empty result means cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual QStringList OpenFileNames(QWidget* parent, const QString& caption, const QString& folder,
                                      const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& path,
                                 const QString& filter) = 0;
    virtual QString ExistingFolder(QWidget* parent, const QString& caption, const QString& folder) = 0;
    virtual std::optional<QColor> Color(QWidget* parent, const QColor& initial) = 0;
};

// The prompts in use: the real dialogs unless a test installed others.
UiPrompts& Prompts();
// Installs `prompts` (not owned; nullptr restores the real dialogs).
void SetPrompts(UiPrompts* prompts);

// The caption a message box shows: the given one, or the application title when none is given.
QString MessageCaption(const QString& caption);

// Shortcuts over Prompts().Message with the caption rule applied.
PromptAnswer ShowMessage(QWidget* parent, const QString& text, const QString& caption = {},
                         PromptIcon icon = PromptIcon::None, PromptButtons buttons = PromptButtons::Ok);
void Inform(QWidget* parent, const QString& text, const QString& caption = {});
void Warn(QWidget* parent, const QString& text, const QString& caption = {});
// Yes/No question; true for Yes.
bool AskYesNo(QWidget* parent, const QString& text, const QString& caption = {},
              PromptIcon icon = PromptIcon::Question);

// Turns a file filter written as "Name (*.a;*.b)|*.a;*.b|Other|*.c||" into Qt's form
// "Name (*.a *.b);;Other (*.c)". Every pattern is matched in both letter cases, because camera
// files are often named ".JPG" and Linux file names are case-sensitive.
QString QtFileFilter(const QString& barFilter);

}  // namespace app
