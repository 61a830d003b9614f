#pragma once

#include <QString>
#include <functional>
#include <memory>

// The progress window an Excel run drives. The application supplies it (its progress dialog), since
// the report layer lies below the application's widgets.
class ReportProgress
{
public:
    virtual ~ReportProgress() = default;
    virtual void SetTitle(const QString& title) = 0;
    // The bar runs from 0 to steps.
    virtual void SetRange(int steps) = 0;
    virtual void SetPosition(int position) = 0;
    // One finished step.
    virtual void Advance() = 0;
    // True once the user has asked to stop.
    virtual bool Cancelled() const = 0;
};

// Makes the progress window (the application places it over its own window); it is shown while it
// exists.
using ReportProgressFactory = std::function<std::unique_ptr<ReportProgress>()>;
