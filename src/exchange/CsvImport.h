#pragma once

#include "CsvReader.h"
#include "ExchangeTables.h"
#include "PartLine.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class DataStore;

// Brings a CSV file into the open project's part lines or into a reference
// list. The file's columns are matched to the fields by header name; every
// row is checked before anything is written, and the rows are stored in one
// transaction, all or none. Part lines take the worksheet's own storing path,
// so they get their sequence numbers and reference-list entries as if typed.
class CsvImport {
public:
    static constexpr int kNotMapped = -1;

    struct Outcome {
        bool stored = false;
        int rows = 0;    // rows stored
        int skipped = 0; // reference-list names already there
        QString message; // the result or why nothing was stored
    };

    CsvImport(DataStore& store, ExchangeKind kind);

    ExchangeKind kind() const { return m_kind; }
    const QList<ExchangeField>& fields() const { return m_fields; }

    // Takes the file's rows and matches its columns to the fields.
    void setTable(CsvReader::Table table);
    const CsvReader::Table& table() const { return m_table; }
    // The file column of each field, kNotMapped when none.
    const QList<int>& mapping() const { return m_mapping; }
    void setColumn(int field, int column);

    // For part lines: the project they join and the tax setting the cost
    // arithmetic uses.
    void setProject(int project) { m_project = project; }
    void setTaxPercentage(const QString& percentage) { m_taxPercentage = percentage; }

    // Checks every row against the mapping and the database. Nothing is written.
    void check();
    const QList<CsvProblem>& problems() const { return m_problems; }
    // The rows that will be stored, as they will be stored (one cell per field).
    QList<QStringList> preview(int rows) const;
    int readyRows() const { return int(m_prepared.size()); }

    // Stores every checked row in one transaction; refuses while a problem
    // remains. Shows nothing: the caller reports the outcome afterwards.
    Outcome store();

private:
    struct Prepared {
        int row = 0;
        PartLine line;
        QStringList values; // reference lists: the cells by field
        bool skip = false;  // already in the list
    };
    QString cell(const CsvReader::Record& record, int field) const;
    bool mapped(int field) const { return m_mapping.value(field, kNotMapped) != kNotMapped; }
    void problem(int row, int field, const QString& message);
    void checkLine(const CsvReader::Record& record);
    void checkListRow(const CsvReader::Record& record);
    void loadLists();

    DataStore& m_store;
    ExchangeKind m_kind;
    QList<ExchangeField> m_fields;
    CsvReader::Table m_table;
    QList<int> m_mapping;
    QList<CsvProblem> m_mappingProblems;
    QList<CsvProblem> m_problems;
    QList<Prepared> m_prepared;
    int m_project = 0;
    QString m_taxPercentage = QStringLiteral("0");

    // The lists as they stand, in upper case, and what this file adds to them.
    QHash<QString, QString> m_partCategory;
    QSet<QString> m_categories;
    QSet<QString> m_existing;
};
