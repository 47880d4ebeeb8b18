#pragma once

#include <QString>
#include <QStringList>

class DataStore;

// Extra projects and part lines beside the sample project 1, written through
// the data store so that its record sets read them.
namespace Fixtures {

// A project in use with a zero budget row for every category.
void addProject(DataStore& store, int number, const QString& description);
void addLine(DataStore& store, int project, const QString& part, const QString& vendor,
             const QString& manufacturer, const QString& category, int sequence = 1);
// The values of one column over the rows a query selects, in rowid order.
QStringList column(DataStore& store, const QString& sql);
int count(DataStore& store, const QString& sql);
// Makes every write of `event` ("UPDATE", "INSERT", "DELETE") on the table fail.
void failWrites(DataStore& store, const QString& table, const QString& event);

} // namespace Fixtures
