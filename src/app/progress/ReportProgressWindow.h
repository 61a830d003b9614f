#pragma once

#include "report/ReportProgress.h"

class QWidget;

namespace app {

// The progress window of Excel runs: makes a CSubProgressDlg over `parent` (the program's main window
// when null) each time a report engine opens its progress.
ReportProgressFactory MakeReportProgressFactory(QWidget* parent);

}  // namespace app
