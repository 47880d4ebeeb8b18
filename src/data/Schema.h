#pragma once

#include <QList>
#include <QString>
#include <QStringList>

enum class ColumnType { Text, Integer, Real, Money, Boolean, Date };

struct ColumnDef {
    QString name;
    ColumnType type;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
};

// The tables of a Rastrel database and the steps that bring an older file up
// to the current layout.
namespace Schema {

// 2: part lines carry a stable key (Line_id) and may hold attachments.
constexpr int kCurrentVersion = 2;

// Tables beside the record-set tables: the attachments of part lines, their
// metadata apart from their contents so that listing reads no file data.
const QStringList& attachmentTables();

const QList<TableDef>& tables();
const TableDef* table(const QString& name); // case-insensitive; nullptr when unknown

// Statements that create the current schema on an empty database.
QStringList createStatements();

// A temporary table (of this connection only, never in the file) with the
// layout of the table `name`, which it hides from unqualified statements.
QString createTemporaryTable(const QString& name);

// Statements that take a database from version `from` to `from + 1`.
QStringList migrationStatements(int from);

} // namespace Schema
