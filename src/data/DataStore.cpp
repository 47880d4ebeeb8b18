#include "DataStore.h"

#include "Schema.h"
#include "Transaction.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTextStream>

namespace {

struct CommandDef {
    Command command;
    const char* name;
    const char* table;
    LockMode lock;
    const char* childName;
    const char* childFlag;
};

// The named commands, in the order they are opened at start-up.
constexpr CommandDef kCommands[] = {
    {Command::RSLVendor, "RSLVendor", "RSLVendor", LockMode::Optimistic, "", ""},
    {Command::RSLCategories, "RSLCategories", "RSLCategories", LockMode::Optimistic, "", ""},
    {Command::RSLCategorybudget, "RSLCategorybudget", "RSLCategorybudget",
     LockMode::BatchOptimistic, "RSLMaster2", "Purchased"},
    {Command::RSLMakes, "RSLMakes", "RSLMakes", LockMode::Optimistic, "", ""},
    {Command::RSLManufacturer, "RSLManufacturer", "RSLManufacturer", LockMode::Optimistic, "", ""},
    {Command::RSLMaster, "RSLMaster", "RSLMaster", LockMode::Optimistic, "", ""},
    {Command::RSLModels, "RSLModels", "RSLModels", LockMode::Optimistic, "", ""},
    {Command::RSLParts, "RSLParts", "RSLParts", LockMode::Optimistic, "", ""},
    {Command::RSLVehicles, "RSLVehicles", "RSLVehicles", LockMode::Optimistic, "", ""},
    {Command::RSLVehiclesused, "RSLVehiclesused", "RSLVehiclesused", LockMode::Optimistic, "", ""},
    {Command::RSLCategoryBudget2, "RSLCategoryBudget2", "RSLCategorybudget", LockMode::ReadOnly,
     "RSLMaster3", "Forecast"},
    {Command::RSLCategoriesoverbudget, "RSLCategoriesoverbudget", "RSLCategoriesoverbudget",
     LockMode::Optimistic, "", ""},
    {Command::RSLCategorybudget3, "RSLCategorybudget3", "RSLCategorybudget3",
     LockMode::BatchOptimistic, "", ""},
};

int sqliteCode(const QSqlError& e) {
    return e.nativeErrorCode().toInt() & 0xff;
}

QString nativePath(const QString& p) {
    return QDir::toNativeSeparators(QFileInfo(p).absoluteFilePath());
}

} // namespace

DataStore::DataStore() {
    for (const CommandDef& c : kCommands) {
        const TableDef* table = Schema::table(QString::fromLatin1(c.table));
        m_sets.push_back(std::make_unique<RecordSet>(*this, QString::fromLatin1(c.name), *table,
                                                     c.lock, QString::fromLatin1(c.childName),
                                                     QString::fromLatin1(c.childFlag)));
    }
}

DataStore::~DataStore() {
    close();
    m_sets.clear();
}

QString DataStore::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/rsl.sqlite");
}

QString DataStore::resolvePath(const QString& option) {
    if (!option.isEmpty())
        return option;
    const QString env = qEnvironmentVariable("RASTREL_DATABASE");
    if (!env.isEmpty())
        return env;
    return defaultPath();
}

QSqlDatabase DataStore::connection() const {
    if (m_connectionName.isEmpty())
        return {};
    return QSqlDatabase::database(m_connectionName, false);
}

RecordSet& DataStore::recordSet(Command command) {
    return *m_sets[size_t(command)];
}

RecordSet* DataStore::recordSet(const QString& name) {
    for (auto& rs : m_sets)
        if (rs->name().compare(name, Qt::CaseInsensitive) == 0)
            return rs.get();
    return nullptr;
}

QList<RecordSet*> DataStore::recordSets() const {
    QList<RecordSet*> out;
    for (const auto& rs : m_sets)
        out << rs.get();
    return out;
}

QString DataStore::notOpenMessage() const {
    if (m_path.isEmpty())
        return QStringLiteral("No database is open.");
    return QStringLiteral("The database \"%1\" is not open.").arg(nativePath(m_path));
}

DbResult DataStore::resultOf(const QSqlError& error, const QString& action) const {
    const QString file = nativePath(m_path);
    switch (sqliteCode(error)) {
    case 13: // SQLITE_FULL
        return DbResult::failure(
            DbErrorKind::DiskFull,
            QStringLiteral(
                "The disk holding the database \"%1\" is full, so the change could not be saved. Free some disk space and try again.")
                .arg(file));
    case 8: // SQLITE_READONLY
        return DbResult::failure(
            DbErrorKind::ReadOnly,
            QStringLiteral(
                "The database \"%1\" is read-only, so the change could not be saved. Check that the file and its folder can be written to.")
                .arg(file));
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return DbResult::failure(
            DbErrorKind::Locked,
            QStringLiteral(
                "The database \"%1\" is locked by another program, so the change could not be saved. Close the other program and try again.")
                .arg(file));
    default:
        return DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral("The database \"%1\" could not %2: %3").arg(file, action, error.text()));
    }
}

DbResult DataStore::exec(const QString& sql) {
    QSqlQuery q(connection());
    if (!q.exec(sql))
        return resultOf(q.lastError(), QStringLiteral("be changed"));
    return DbResult::success();
}

DbResult DataStore::write(const QString& sql, const QVariantList& binds, qint64* lastId) {
    if (!m_open)
        return DbResult::failure(DbErrorKind::NotOpen, notOpenMessage());
    QSqlQuery q(connection());
    if (!q.prepare(sql))
        return resultOf(q.lastError(), QStringLiteral("be changed"));
    for (const QVariant& b : binds)
        q.addBindValue(b);
    if (!q.exec())
        return resultOf(q.lastError(), QStringLiteral("save the change"));
    if (lastId)
        *lastId = q.lastInsertId().toLongLong();
    ++m_changes;
    changed();
    return DbResult::success();
}

void DataStore::changed() {
    if (!m_levels.isEmpty()) {
        m_changedInTransaction = true;
        return;
    }
    // A listener may unsubscribe itself (or another) while being told.
    const std::shared_ptr<Listeners> registry = m_listeners;
    const QHash<int, ChangeListener> listeners = registry->byId;
    for (auto it = listeners.cbegin(); it != listeners.cend(); ++it)
        if (registry->byId.contains(it.key()))
            it.value()();
}

DataStore::Subscription DataStore::subscribe(ChangeListener listener) {
    const int id = m_listeners->next++;
    m_listeners->byId.insert(id, std::move(listener));
    // Released after the store is gone, the handle has nothing left to undo.
    std::weak_ptr<Listeners> registry = m_listeners;
    return Subscription(nullptr, [registry, id](void*) {
        if (const std::shared_ptr<Listeners> r = registry.lock())
            r->byId.remove(id);
    });
}

DbResult DataStore::execute(const QString& table, const QString& sql, const QVariantList& binds) {
    DbResult r = write(sql, binds);
    if (r)
        invalidateTable(table);
    return r;
}

DbResult DataStore::query(const QString& sql, const QVariantList& binds,
                          const std::function<void(const QSqlQuery&)>& row) {
    if (!m_open)
        return DbResult::failure(DbErrorKind::NotOpen, notOpenMessage());
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return resultOf(q.lastError(), QStringLiteral("be read"));
    for (const QVariant& b : binds)
        q.addBindValue(b);
    if (!q.exec())
        return resultOf(q.lastError(), QStringLiteral("be read"));
    while (q.next())
        row(q);
    return DbResult::success();
}

qint64 DataStore::nextSequenceNumber(const QString& partName, DbResult* error) {
    qint64 highest = 0;
    DbResult r =
        query(QStringLiteral("SELECT MAX(Sequence_Number) FROM RSLMaster WHERE Part_Name = ?"),
              {partName}, [&](const QSqlQuery& q) { highest = q.value(0).toLongLong(); });
    if (error)
        *error = r;
    return highest + 1;
}

void DataStore::invalidateTable(const QString& table) {
    for (RecordSet* rs : std::as_const(m_attached))
        if (rs->tableName().compare(table, Qt::CaseInsensitive) == 0)
            rs->invalidate();
}

DbResult DataStore::beginTransaction() {
    if (!m_open)
        return DbResult::failure(DbErrorKind::NotOpen, notOpenMessage());
    const int depth = transactionDepth();
    DbResult r = exec(depth == 0 ? QStringLiteral("BEGIN IMMEDIATE")
                                 : QStringLiteral("SAVEPOINT sp%1").arg(depth));
    if (!r)
        return r;
    Level level;
    for (RecordSet* rs : std::as_const(m_attached))
        if (rs->lockMode() == LockMode::BatchOptimistic)
            level.append({rs, rs->snapshot()});
    m_levels.append(level);
    ++s_openTransactions;
    return r;
}

DbResult DataStore::commitTransaction() {
    if (m_levels.isEmpty())
        return DbResult::failure(DbErrorKind::Other, QStringLiteral("No transaction is open."));
    const int depth = transactionDepth() - 1;
    DbResult r =
        exec(depth == 0 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE sp%1").arg(depth));
    if (!r) {
        rollbackTransaction();
        return r;
    }
    m_levels.removeLast();
    --s_openTransactions;
    if (m_levels.isEmpty() && m_changedInTransaction) {
        m_changedInTransaction = false;
        changed();
    }
    return r;
}

void DataStore::rollbackTransaction() {
    if (m_levels.isEmpty())
        return;
    const int depth = transactionDepth() - 1;
    if (depth == 0) {
        ignoreError(exec(QStringLiteral("ROLLBACK"))); // SQLite may already have rolled back
    } else {
        ignoreError(exec(QStringLiteral("ROLLBACK TO sp%1").arg(depth)));
        ignoreError(exec(QStringLiteral("RELEASE sp%1").arg(depth)));
    }
    const Level level = m_levels.takeLast();
    --s_openTransactions;
    if (m_levels.isEmpty())
        m_changedInTransaction = false;
    QSet<RecordSet*> restored;
    for (const auto& [rs, snap] : level) {
        if (m_attached.contains(rs)) {
            rs->restore(*snap);
            restored.insert(rs);
        }
    }
    // Rows read or written inside the transaction may no longer be true.
    for (RecordSet* rs : std::as_const(m_attached))
        if (!restored.contains(rs))
            rs->invalidate();
}

DbResult DataStore::failOpen(const QString& why) {
    close();
    return DbResult::failure(DbErrorKind::NotOpen, why);
}

void DataStore::close() {
    while (!m_levels.isEmpty())
        rollbackTransaction();
    if (!m_connectionName.isEmpty()) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
        m_connectionName.clear();
    }
    m_open = false;
    for (RecordSet* rs : std::as_const(m_attached)) {
        rs->cancelBatch();
        rs->invalidate();
    }
}

DbResult DataStore::open(const QString& path) {
    close();
    m_path = path;
    m_created = false;
    m_changes = 0;
    const QString file = nativePath(path);
    QFileInfo info(path);

    if (info.exists()) {
        if (info.isDir())
            return failOpen(
                QStringLiteral("The database \"%1\" cannot be opened: it is a folder, not a file.")
                    .arg(file));
        if (info.size() == 0)
            return failOpen(
                QStringLiteral(
                    "The database \"%1\" cannot be opened: the file is empty (0 bytes). It may have been cut short when it was copied. Restore it from a backup or choose another file.")
                    .arg(file));
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return failOpen(QStringLiteral("The database \"%1\" cannot be opened: %2")
                                .arg(file, f.errorString()));
        const QByteArray header = f.read(16);
        if (header != QByteArray("SQLite format 3\0", 16))
            return failOpen(
                QStringLiteral(
                    "The database \"%1\" cannot be opened: it is not a Rastrel database (the file is not an SQLite database).")
                    .arg(file));
    } else {
        if (!QDir().mkpath(info.absolutePath()))
            return failOpen(
                QStringLiteral("The database \"%1\" cannot be created: its folder cannot be made.")
                    .arg(file));
        m_created = true;
    }

    m_connectionName = QString::fromLatin1(kDataSourceName);
    for (int n = 2; QSqlDatabase::contains(m_connectionName); ++n)
        m_connectionName = QString::fromLatin1(kDataSourceName) + QStringLiteral(" %1").arg(n);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
        if (!db.open()) {
            const QString reason = db.lastError().text();
            return failOpen(
                QStringLiteral("The database \"%1\" cannot be opened: %2").arg(file, reason));
        }
    }
    m_open = true;

    // A committed change must survive a crash of the program or the machine;
    // a file from elsewhere must not run code hidden in its schema.
    for (const char* pragma : {"PRAGMA trusted_schema = OFF", "PRAGMA journal_mode = DELETE",
                               "PRAGMA synchronous = FULL"}) {
        if (DbResult r = exec(QString::fromLatin1(pragma)); !r && !m_created) {
            // A damaged file can fail here already.
            return failOpen(
                QStringLiteral(
                    "The database \"%1\" cannot be opened: it is damaged or not a database (%2).")
                    .arg(file, r.message()));
        }
    }

    DbResult r = m_created ? createSchema() : checkExisting();
    if (!r) {
        const bool removeNew = m_created;
        close();
        if (removeNew) {
            QFile::remove(path);
            QFile::remove(path + QStringLiteral("-journal"));
        }
        m_path = path;
        return r;
    }
    for (RecordSet* rs : std::as_const(m_attached))
        rs->invalidate();
    return DbResult::success();
}

DbResult DataStore::createSchema() {
    const QString file = nativePath(m_path);
    Transaction tx(*this);
    if (!tx.status())
        return DbResult::failure(tx.status().kind(),
                                 QStringLiteral("The database \"%1\" cannot be created: %2")
                                     .arg(file, tx.status().message()));
    for (const QString& stmt : Schema::createStatements())
        if (DbResult r = exec(stmt); !r)
            return DbResult::failure(
                r.kind(),
                QStringLiteral("The database \"%1\" cannot be created: %2").arg(file, r.message()));

    QFile starter(QStringLiteral(":/data/starter.sql"));
    if (!starter.open(QIODevice::ReadOnly | QIODevice::Text))
        return DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral(
                "The database \"%1\" cannot be created: the starter data is missing from the program.")
                .arg(file));
    QTextStream in(&starter);
    QString statement;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().startsWith(QStringLiteral("--")) || line.trimmed().isEmpty())
            continue;
        statement += line + u'\n';
        if (line.trimmed().endsWith(u';')) {
            if (DbResult r = exec(statement); !r)
                return DbResult::failure(r.kind(),
                                         QStringLiteral("The database \"%1\" cannot be created: %2")
                                             .arg(file, r.message()));
            statement.clear();
        }
    }
    if (DbResult r = exec(QStringLiteral("PRAGMA user_version = %1").arg(Schema::kCurrentVersion));
        !r)
        return r;
    return tx.commit();
}

DbResult DataStore::checkExisting() {
    const QString file = nativePath(m_path);
    QString check;
    DbResult r = query(QStringLiteral("PRAGMA quick_check"), {}, [&](const QSqlQuery& q) {
        check += (check.isEmpty() ? QString() : QStringLiteral("; ")) + q.value(0).toString();
    });
    if (!r || check != u"ok") {
        const QString detail = r ? check.left(300) : r.message();
        return DbResult::failure(
            DbErrorKind::NotOpen,
            QStringLiteral(
                "The database \"%1\" is damaged and was not opened (%2). Restore it from a backup.")
                .arg(file, detail));
    }

    QHash<QString, QSet<QString>> present; // table -> columns, lower case
    r = query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), {},
              [&](const QSqlQuery& q) { present.insert(q.value(0).toString().toLower(), {}); });
    if (!r)
        return DbResult::failure(
            DbErrorKind::NotOpen,
            QStringLiteral("The database \"%1\" cannot be read: %2").arg(file, r.message()));
    for (const TableDef& t : Schema::tables()) {
        auto it = present.find(t.name.toLower());
        if (it == present.end())
            return DbResult::failure(
                DbErrorKind::NotOpen,
                QStringLiteral(
                    "The database \"%1\" is not a Rastrel database: the table %2 is missing.")
                    .arg(file, t.name));
        ignoreError(
            query(QStringLiteral("PRAGMA table_info(\"%1\")").arg(t.name), {},
                  [&](const QSqlQuery& q) { it->insert(q.value(1).toString().toLower()); }));
        for (const ColumnDef& c : t.columns)
            if (!it->contains(c.name.toLower()))
                return DbResult::failure(
                    DbErrorKind::NotOpen,
                    QStringLiteral(
                        "The database \"%1\" is not a Rastrel database: the table %2 has no column %3.")
                        .arg(file, t.name, c.name));
    }

    int version = 0;
    ignoreError(query(QStringLiteral("PRAGMA user_version"), {},
                      [&](const QSqlQuery& q) { version = q.value(0).toInt(); }));
    if (version > Schema::kCurrentVersion)
        return DbResult::failure(
            DbErrorKind::NotOpen,
            QStringLiteral(
                "The database \"%1\" was written by a newer version of Rastrel and was not opened. Please update Rastrel.")
                .arg(file));
    if (version < Schema::kCurrentVersion)
        return migrate(version);
    for (const QString& t : Schema::attachmentTables())
        if (!present.contains(t.toLower()))
            return DbResult::failure(
                DbErrorKind::NotOpen,
                QStringLiteral(
                    "The database \"%1\" is not a Rastrel database: the table %2 is missing.")
                    .arg(file, t));
    return DbResult::success();
}

DbResult DataStore::migrate(int from) {
    const QString file = nativePath(m_path);
    const QString backup =
        m_path + QStringLiteral(".v%1-%2.bak")
                     .arg(from)
                     .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    if (DbResult r = backupTo(backup); !r)
        return DbResult::failure(
            r.kind(),
            QStringLiteral(
                "The database \"%1\" needs updating, but no backup copy could be made first, so it was left as it was: %2")
                .arg(file, r.message()));
    Transaction tx(*this);
    if (!tx.status())
        return tx.status();
    for (int v = from; v < Schema::kCurrentVersion; ++v) {
        for (const QString& stmt : Schema::migrationStatements(v))
            if (DbResult r = exec(stmt); !r)
                return r;
    }
    if (DbResult r = exec(QStringLiteral("PRAGMA user_version = %1").arg(Schema::kCurrentVersion));
        !r)
        return r;
    return tx.commit();
}

DbResult DataStore::backupTo(const QString& target) {
    if (!m_open)
        return DbResult::failure(DbErrorKind::NotOpen, notOpenMessage());
    if (QFileInfo::exists(target))
        return DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral("The backup file \"%1\" exists already.").arg(nativePath(target)));
    QSqlQuery q(connection());
    if (!q.prepare(QStringLiteral("VACUUM INTO ?")))
        return resultOf(q.lastError(), QStringLiteral("be copied"));
    q.addBindValue(target);
    if (!q.exec())
        return resultOf(q.lastError(), QStringLiteral("be copied"));
    q.finish();

    // Verify the copy on a connection of its own.
    const QString name = m_connectionName + QStringLiteral(" backup check");
    bool good = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(target);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery check(db);
            good = check.exec(QStringLiteral("PRAGMA quick_check")) && check.next() &&
                   check.value(0).toString() == u"ok";
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!good) {
        QFile::remove(target);
        return DbResult::failure(DbErrorKind::Other,
                                 QStringLiteral("The backup copy \"%1\" could not be verified.")
                                     .arg(nativePath(target)));
    }
    return DbResult::success();
}
