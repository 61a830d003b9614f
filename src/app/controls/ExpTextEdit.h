#pragma once

#include <QPlainTextEdit>

namespace app {

// The multi-line form of the free-text field: the text is held to a byte limit of the Japanese
// Windows code page (each line break counting as CR LF, two bytes), for typed keys and pastes
// alike. Enter inserts a line break. Read-only fields take the button face.
class CExpTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CExpTextEdit(QWidget* parent = nullptr);

    // 0 means no limit.
    void SetByteLimit(int limit) { m_byteLimit = limit; }
    int ByteLimit() const { return m_byteLimit; }
    // Bytes the text takes when written with CR LF line ends.
    static int TextBytes(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool Fits(const QString& inserted) const;
    void UpdateLook();

    int m_byteLimit = 30000;
};

}  // namespace app
