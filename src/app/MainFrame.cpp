#include "app/MainFrame.h"

#include "app/AppTitle.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(app::kAppTitle);
    resize(1024, 720);
}
