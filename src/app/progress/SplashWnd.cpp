#include "app/progress/SplashWnd.h"

#include <QFont>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "app/AppTitle.h"

CSplashWnd* CSplashWnd::s_splash = nullptr;

CSplashWnd::CSplashWnd(const QPixmap& picture) : QSplashScreen(picture) {}

CSplashWnd::~CSplashWnd()
{
    if (s_splash == this)
        s_splash = nullptr;
}

QPixmap CSplashWnd::MakePicture()
{
    QPixmap picture(420, 240);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, picture.height());
    sky.setColorAt(0.0, QColor(24, 78, 140));
    sky.setColorAt(1.0, QColor(110, 170, 210));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(QColor(255, 255, 255));
    QFont title(QStringLiteral("メイリオ"));
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(0, 60, picture.width(), 60), Qt::AlignCenter, app::kProductName);
    QFont subtitle(QStringLiteral("メイリオ"));
    subtitle.setPixelSize(18);
    painter.setFont(subtitle);
    painter.drawText(QRect(0, 125, picture.width(), 30), Qt::AlignCenter,
                     QStringLiteral("写真位置図・写真台帳作成"));
    painter.drawText(QRect(0, 190, picture.width() - 16, 30), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Version 2.01"));
    return picture;
}

void CSplashWnd::Show(QWidget* owner, bool enabled)
{
    if (!enabled || s_splash)
        return;
    const QPixmap picture = MakePicture();
    if (picture.isNull())
        return;
    s_splash = new CSplashWnd(picture);
    if (owner) {
        const QRect area = owner->window()->frameGeometry();
        s_splash->move(area.center() - s_splash->rect().center());
    }
    s_splash->show();
    s_splash->repaint();
}

void CSplashWnd::Hide()
{
    if (!s_splash)
        return;
    CSplashWnd* splash = s_splash;
    s_splash = nullptr;
    splash->close();
    delete splash;
}

void CSplashWnd::mousePressEvent(QMouseEvent* event)
{
    // A click must not remove the splash (the base class hides it).
    event->accept();
}
