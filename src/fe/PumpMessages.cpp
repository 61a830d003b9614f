#include "fe/PumpMessages.h"

#include <QCoreApplication>

void PumpMessages()
{
    if (QCoreApplication::instance() == nullptr)
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
