#include "CommandLineDatabase.h"

#include "DataStore.h"

#include <QDir>
#include <QFileInfo>

DbResult CommandLineDatabase::open(DataStore& store, const QString& path) {
    if (!QFileInfo::exists(path))
        return DbResult::failure(DbErrorKind::Other,
                                 QStringLiteral("the database \"%1\" does not exist.")
                                     .arg(QDir::toNativeSeparators(path)));
    return store.open(path);
}
