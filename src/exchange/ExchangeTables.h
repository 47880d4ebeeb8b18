#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What can go out to or come in from a CSV file.
enum class ExchangeKind {
    ProjectLines,
    AllLines,
    Budgets,
    Parts,
    Vendors,
    Manufacturers,
    Categories,
    MakesModels,
};

// One column of an exchange file: its readable header, the other headers a
// spreadsheet may give it, and how its cells read.
struct ExchangeField {
    enum class Type { Text, Name, Number, Money, YesNo, Date, Whole };
    QString header;
    Type type = Type::Text;
    QStringList aliases;
    bool required = false;
};

namespace ExchangeTables {

QList<ExchangeKind> all();
// The word the command line uses ("lines", "vendors", ...).
QString commandName(ExchangeKind kind);
std::optional<ExchangeKind> fromCommandName(const QString& name);
QString caption(ExchangeKind kind);
QList<ExchangeField> fields(ExchangeKind kind);
bool importable(ExchangeKind kind);
bool needsProject(ExchangeKind kind);
// A header as compared: case, spaces and punctuation ignored.
QString normalised(const QString& header);

} // namespace ExchangeTables
