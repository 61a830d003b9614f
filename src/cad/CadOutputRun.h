#pragma once

#include <QString>
#include <QStringList>

class LocationMap;
class MarkStyle;
struct Project;

// A map can be written as DXF when it is a picture registered to a plane zone and has photos on it.
bool IsCadEligible(const LocationMap& map);

// True when some registered map has its picture in the map folder but no CAD registration beside it
// (maps taken in by the first version of the program): their DXF output cannot be made.
bool HasMapWithoutCadRegistration(const Project& project);

// The outcome of writing the ticked maps of a project.
struct CadOutputRunResult
{
    // Drawings written.
    int written = 0;
    // One line per map that failed: its name, a tab and what went wrong.
    QStringList failures;
    // The explanation of a missing registration, when any map lacked one.
    QString reasonText;

    bool HasFailures() const { return !failures.isEmpty() || !reasonText.isEmpty(); }
    // "CAD出力に失敗しました。" with the explanation and one "・" line per failed map.
    QString FailureMessage() const;
};

// Writes every eligible map that is ticked for CAD output into the project's cad folder, with the
// mark template (null: the template's defaults). Maps that fail do not stop the others.
CadOutputRunResult WriteTickedMapsDxf(const Project& project, const MarkStyle* markStyle);
