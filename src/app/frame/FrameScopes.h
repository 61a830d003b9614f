#pragma once

#include <QApplication>

#include "app/frame/MainFrame.h"

namespace app {

// The wait cursor for the length of a scope.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The frame's busy state for the length of a scope, undone on every way out.
struct BusyFrame
{
    explicit BusyFrame(CMainFrame& frame) : m_frame(frame) { m_frame.LockUI(true); }
    ~BusyFrame() { m_frame.LockUI(false); }
    BusyFrame(const BusyFrame&) = delete;
    BusyFrame& operator=(const BusyFrame&) = delete;

private:
    CMainFrame& m_frame;
};

}  // namespace app
