#pragma once

#include <QPixmap>
#include <QSplashScreen>

// The picture shown over the main window while the program starts. At most one exists; it is removed
// only by Hide at the end of start-up, never by a timer, a key or a click.
class CSplashWnd : public QSplashScreen
{
    Q_OBJECT

public:
    // Shows the splash centred over `owner` when `enabled` and none is shown yet.
    static void Show(QWidget* owner, bool enabled = true);
    // Removes the splash; does nothing when there is none.
    static void Hide();
    // The splash on the screen, or nullptr.
    static CSplashWnd* Current() { return s_splash; }

    // The program's splash picture, drawn here because no picture file ships with the program.
    static QPixmap MakePicture();

    ~CSplashWnd() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    explicit CSplashWnd(const QPixmap& picture);

    static CSplashWnd* s_splash;
};
