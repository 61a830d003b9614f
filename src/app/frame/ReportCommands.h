#pragma once

class CMainFrame;

namespace app {

// 写真位置図 / 写真台帳 出力: the output settings dialog, then, when the user chose " Excel出力", the report
// with the frame busy. Nothing without a project folder; a project without location maps is told so.
void OutputReportCommand(CMainFrame& frame);

// Sets the report commands' handlers on the frame.
void InstallReportCommands(CMainFrame& frame);

}  // namespace app
