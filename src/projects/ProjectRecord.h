#pragma once

#include "Money.h"

#include <QString>

// One stored project as the project windows read it.
struct ProjectRecord {
    int number = 0;
    QString description;
    QString year;
    QString make;
    QString model;
    QString picture;
    Money budget;
};

// What the user typed for a project: the three vehicle fields (make and model
// already upper-cased), the picture path and the total budget text.
struct ProjectInput {
    QString year;
    QString make;
    QString model;
    QString picture;
    QString totalBudget;

    // No picture is stored as an empty text rather than as no value.
    static QString stored(const QString& text) { return text.isNull() ? QStringLiteral("") : text; }
};
