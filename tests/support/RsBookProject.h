#pragma once

// A project for the survey workbook: the list-export project's 22 photos with three maps. Map 1 "池" has
// an empty ID and name and table 5 with twelve photos and no drawing; map 2 "全景" is not ticked for the
// workbook; map 3 "堤A" (T-01) has table 3 with seven photos and a quarter-turned drawing, table 1 with
// seven, table 5 with three and a row whose photo was deleted, table 4-1 without drawing or photos and
// table 4-2 with six. Header-only: the model's types come from the including program.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <functional>

#include "ListExportProject.h"
#include "model/Project.h"
#include "report/ReportProgress.h"

namespace rsbook_project {

inline const QString kFigure = QStringLiteral("fig.png");
inline constexpr int kFigureWidth = 800, kFigureHeight = 400;

inline void AddRows(ReservoirItem& item, std::initializer_list<int> ids, const char* tag)
{
    for (int id : ids)
        item.photoRows.push_back({id, QStringLiteral("%1 写真%2").arg(QString::fromUtf8(tag)).arg(id), 0});
}

// The project in `root`/現場/; false when a file could not be written.
inline bool MakeProject(const QString& root, Project& project)
{
    if (!list_export::MakeProject(root, project))
        return false;
    QImage figure(kFigureWidth, kFigureHeight, QImage::Format_RGB32);
    figure.fill(QColor(230, 240, 255));
    {
        QPainter painter(&figure);
        painter.setPen(QPen(Qt::darkBlue, 6));
        painter.drawLine(40, 340, 400, 60);
        painter.drawLine(400, 60, 760, 340);
        painter.drawText(30, 30, QStringLiteral("断面図 (上)"));
    }
    const QString images = project.folder + QStringLiteral("image/");
    if (!QDir().mkpath(images) || !figure.save(images + kFigure, "PNG"))
        return false;

    LocationMap bank = project.maps.maps[0];
    LocationMap overview = project.maps.maps[1];
    overview.reservoir.includeInBook = 0;
    ReservoirSheet& survey = bank.reservoir;
    survey.reservoirId = QStringLiteral("T-01");
    survey.reservoirName = QStringLiteral("堤A");
    survey.surveyDate = QStringLiteral("2024/05/20");
    survey.items[2].pictureFile = kFigure;
    survey.items[2].pictureRotation = 90;
    AddRows(survey.items[2], {1, 2, 3, 4, 5, 6, 7}, "表3");
    survey.items[0].pictureFile = kFigure;
    AddRows(survey.items[0], {8, 9, 10, 11, 12, 13, 14}, "表1");
    survey.items[5].pictureFile = kFigure;
    AddRows(survey.items[5], {15, list_export::kMissingPhotoId, 16, 17}, "表5");
    survey.items[4].pictureFile = kFigure;
    AddRows(survey.items[4], {1, 2, 3, 4, 5, 6}, "表4-2");

    LocationMap pond(project.maps.nextId++, 3);
    pond.name = QStringLiteral("池");
    AddRows(pond.reservoir.items[5], {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, "池");
    project.maps.maps = {pond, overview, bank};
    return true;
}

// What a progress window was told, kept beyond its life.
struct ProgressLog
{
    int range = 0;
    int steps = 0;
    QStringList titles;
};

// A progress window that runs a test's action at a given step and keeps what it was told in a log.
class StepProgress : public ReportProgress
{
public:
    StepProgress(int atStep, std::function<void(StepProgress&)> action, ProgressLog* log = nullptr)
        : m_atStep(atStep), m_action(std::move(action)), m_log(log ? log : &m_ownLog)
    {
    }
    void SetTitle(const QString& title) override { m_log->titles.append(title); }
    void SetRange(int steps) override { m_log->range = steps; }
    void SetPosition(int) override {}
    void Advance() override
    {
        if (++m_log->steps == m_atStep && m_action)
            m_action(*this);
    }
    bool Cancelled() const override { return cancelled; }

    bool cancelled = false;

private:
    int m_atStep;
    std::function<void(StepProgress&)> m_action;
    ProgressLog m_ownLog;
    ProgressLog* m_log;
};

}  // namespace rsbook_project
