#pragma once

#include <memory>

#include "report/ReportProgress.h"

class QWidget;

// The program's progress window as the report engine drives it.
ReportProgressFactory MakeReportProgressFactory(QWidget* parent);
