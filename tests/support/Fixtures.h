#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariantList>

class AppState;
class DataStore;
struct PreparedAttachment;

// Extra projects and part lines beside the sample project 1, written through
// the data store so that its record sets read them.
namespace Fixtures {

// Runs a statement through the store, so that its record sets see the change;
// fails the test on an error.
void exec(DataStore& store, const QString& table, const QString& sql,
          const QVariantList& binds = {});

// A project in use with a zero budget row for every category.
void addProject(DataStore& store, int number, const QString& description);
void addLine(DataStore& store, int project, const QString& part, const QString& vendor,
             const QString& manufacturer, const QString& category, int sequence = 1);
// Lines enough for a dozen pages of the file: 300 selected BRAKES lines of
// one vendor with long notes, every other one purchased.
void addPagesOfLines(DataStore& store, int project, const QString& vendor);
int count(DataStore& store, const QString& sql);
// The state of the sample project 1 being open, as the catalogue leaves it.
void openSampleProject(AppState& state);
// A file ready to be kept with a part line; a PNG picture of the given size.
PreparedAttachment attachment(const QString& name, const QString& mimeType, const QByteArray& data);
QByteArray png(QSize size);
// Makes every write of `event` ("UPDATE", "INSERT", "DELETE") on the table fail.
void failWrites(DataStore& store, const QString& table, const QString& event);

} // namespace Fixtures
