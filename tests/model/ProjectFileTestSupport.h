#pragma once

#include <QByteArray>
#include <QString>

#include "TempFolder.h"
#include "model/Project.h"

// Reads bytes as a project file through the program's reader, from a file in a folder of its own.
class ProjectBytesReader
{
public:
    // The reader's result; the project is reset first.
    int Read(const QByteArray& bytes, Project& project);

private:
    TempFolder m_temp;
};

// The bytes of the project as the writer writes them (empty when the writer fails).
QByteArray WrittenBytes(const Project& project);

// A project that sets every stored field: maps of every kind (and one of a kind the program does not
// know), placed photos with comments over several lines, item texts, reservoir survey rows, tracks and
// site maps. Placed photos on maps with coordinates sit at their photo's position, as after loading.
Project MakeFullProject();
