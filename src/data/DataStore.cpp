#include "DataStore.h"

#include "Schema.h"
#include "SessionMarker.h"
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

// A change needs a journal beside the file, so the folder must be writable
// as well as the file.
bool writable(const QString& path) {
    const QFileInfo info(path);
    return info.isWritable() && QFileInfo(info.absolutePath()).isWritable();
}

DbResult newerVersion(const QString& file) {
    return DbResult::failure(
        DbErrorKind::NotOpen,
        QStringLiteral(
            "The database \"%1\" was written by a newer version of Rastrel and was not opened. Please update Rastrel.")
            .arg(file));
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
    case 3:  // SQLITE_PERM
    case 14: // SQLITE_CANTOPEN
        // A folder that turned read-only while the file was open fails on
        // the journal, not on the file: that is read-only too.
        if (writable(m_path))
            return DbResult::failure(
                DbErrorKind::Other,
                QStringLiteral("The database \"%1\" could not %2: the file or the journal beside "
                               "it cannot be opened (%3).")
                    .arg(file, action, error.databaseText()));
        [[fallthrough]];
    case 8: // SQLITE_READONLY
        return DbResult::failure(
            DbErrorKind::ReadOnly,
            QStringLiteral(
                "The database \"%1\" is read-only, so Rastrel could not write to it. Check that the file and its folder can be written to.")
                .arg(file));
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        // A lookup that fails must not read as "not found", nor as a lost change.
        return DbResult::failure(
            DbErrorKind::Locked,
            (action == u"be read"
                 ? QStringLiteral(
                       "The database \"%1\" is locked by another program, so it could not be read. Close the other program and try again.")
                 : QStringLiteral(
                       "The database \"%1\" is locked by another program, so the change could not be saved. Close the other program and try again."))
                .arg(file));
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral(
                "The database \"%1\" is damaged, so it could not %2 (%3). Restore it from a backup.")
                .arg(file, action, error.databaseText()));
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

DbResult DataStore::prepare(QSqlQuery& statement, const QString& sql) const {
    if (!m_open)
        return DbResult::failure(DbErrorKind::NotOpen, notOpenMessage());
    statement = QSqlQuery(connection());
    if (!statement.prepare(sql))
        return resultOf(statement.lastError(), QStringLiteral("be changed"));
    return DbResult::success();
}

DbResult DataStore::write(QSqlQuery& q, const QVariantList& binds, qint64* lastId) {
    if (!m_open)
        return DbResult::failure(DbErrorKind::NotOpen, notOpenMessage());
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds[i]);
    if (!q.exec())
        return resultOf(q.lastError(), QStringLiteral("save the change"));
    if (lastId)
        *lastId = q.lastInsertId().toLongLong();
    ++m_changes;
    changed();
    return DbResult::success();
}

DbResult DataStore::write(const QString& sql, const QVariantList& binds, qint64* lastId) {
    QSqlQuery q;
    if (DbResult r = prepare(q, sql); !r)
        return r;
    return write(q, binds, lastId);
}

DbResult DataStore::run(const QString& table, QSqlQuery& statement, const QVariantList& binds) {
    DbResult r = write(statement, binds);
    if (r)
        invalidateTable(table);
    return r;
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
    // A read that stops at a damaged page must not pass for the whole answer.
    if (q.lastError().isValid())
        return resultOf(q.lastError(), QStringLiteral("be read"));
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

DbResult DataStore::shadowScratchTable(const QString& table) {
    if (!m_open)
        return DbResult::failure(DbErrorKind::NotOpen, notOpenMessage());
    if (!m_readOnly)
        return DbResult::success();
    const QString create = Schema::createTemporaryTable(table);
    if (create.isEmpty())
        return DbResult::failure(DbErrorKind::Other,
                                 QStringLiteral("There is no table named %1.").arg(table));
    // In memory: the folder for temporary files may be as read-only as the file.
    if (DbResult r = exec(QStringLiteral("PRAGMA temp_store = MEMORY")); !r)
        return r;
    if (DbResult r = exec(create); !r)
        return r;
    invalidateTable(table);
    return DbResult::success();
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
    return failOpen(DbResult::failure(DbErrorKind::NotOpen, why));
}

DbResult DataStore::failOpen(const DbResult& why) {
    close();
    return why;
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
    // Written only once the file is closed, so that its size and time are final.
    if (m_sessionBegun)
        SessionMarker(m_path).end(programVersion());
    m_sessionBegun = false;
    m_open = false;
    for (RecordSet* rs : std::as_const(m_attached)) {
        rs->cancelBatch();
        rs->invalidate();
    }
}

QString DataStore::programVersion() {
    return QStringLiteral(RASTREL_VERSION);
}

DbResult DataStore::damaged(const QString& reason) const {
    return DbResult::failure(
        DbErrorKind::NotOpen,
        QStringLiteral(
            "The database \"%1\" is damaged and was not opened (%2). Restore it from a backup.")
            .arg(nativePath(m_path), reason));
}

DbResult DataStore::openFailure(const QSqlError& error) const {
    const QString file = nativePath(m_path);
    const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    switch (sqliteCode(error)) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return DbResult::failure(
            DbErrorKind::Locked,
            QStringLiteral(
                "The database \"%1\" is in use by another program, which has locked it, so it was not opened. Close the other program or wait until it has finished, then try again.")
                .arg(file));
    case 10: // SQLITE_IOERR
        return DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral(
                "The database \"%1\" could not be read because of an input/output error (%2). Check the disk or the network connection that holds it, then try again.")
                .arg(file, detail));
    case 3:  // SQLITE_PERM
    case 14: // SQLITE_CANTOPEN
        return DbResult::failure(
            DbErrorKind::NotOpen,
            QStringLiteral("The database \"%1\" cannot be opened: %2.").arg(file, detail));
    case 7: // SQLITE_NOMEM
        return DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral("The database \"%1\" could not be opened: there is not enough memory.")
                .arg(file));
    default:
        return damaged(detail);
    }
}

namespace {

quint32 bigEndian(const QByteArray& bytes, int offset, int size) {
    quint32 v = 0;
    for (int i = 0; i < size; ++i)
        v = (v << 8) | quint8(bytes[offset + i]);
    return v;
}

bool hasSideFile(const QString& path, const char* suffix) {
    const QFileInfo side(path + QLatin1String(suffix));
    return side.exists() && side.size() > 0;
}

// A connection of its own on the file for a look before it is opened,
// closed and removed again when it goes out of scope.
class SideConnection {
public:
    SideConnection(QString name, const QString& path, const QString& options)
        : m_name(std::move(name)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(options);
    }
    ~SideConnection() {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    SideConnection(const SideConnection&) = delete;
    SideConnection& operator=(const SideConnection&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

} // namespace

DbResult DataStore::checkHeader() {
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return DbResult::failure(DbErrorKind::NotOpen,
                                 QStringLiteral("The database \"%1\" cannot be opened: %2")
                                     .arg(nativePath(m_path), f.errorString()));
    const QByteArray header = f.read(100);
    const qint64 size = f.size();
    if (!header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return DbResult::failure(
            DbErrorKind::NotOpen,
            QStringLiteral(
                "The database \"%1\" cannot be opened: it is not a Rastrel database (the file is not an SQLite database).")
                .arg(nativePath(m_path)));
    if (header.size() < 100)
        return damaged(QStringLiteral("the file ends inside its header"));
    quint32 pageSize = bigEndian(header, 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return damaged(
            QStringLiteral("its header gives an impossible page size, %1").arg(pageSize));
    // Checked first, so that a newer file is refused before anything else
    // touches it.
    if (bigEndian(header, 60, 4) > quint32(Schema::kCurrentVersion))
        return newerVersion(nativePath(m_path));
    // While a change is unfinished the file may legitimately disagree with
    // its header; the journal puts that right.
    if (hasSideFile(m_path, "-journal") || hasSideFile(m_path, "-wal"))
        return DbResult::success();
    if (size % pageSize != 0)
        return damaged(QStringLiteral("its size, %1 bytes, is not a whole number of %2-byte pages")
                           .arg(size)
                           .arg(pageSize));
    const bool countValid = bigEndian(header, 24, 4) == bigEndian(header, 92, 4);
    const qint64 pages = bigEndian(header, 28, 4);
    if (countValid && pages > 0 && pages * pageSize > size)
        return damaged(
            QStringLiteral(
                "the file holds %1 of its %2 pages: it was cut short, perhaps when it was copied")
                .arg(size / pageSize)
                .arg(pages));
    return DbResult::success();
}

DbResult DataStore::recoverInterruptedChange() {
    // A journal left by a run that stopped during a save holds the pages as
    // they were before it. SQLite puts them back when it first reads the
    // file, which needs a connection that may write.
    QSqlError error;
    {
        const SideConnection side(m_connectionName + QStringLiteral(" recovery"), m_path,
                                  QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
        if (QSqlDatabase db = side.db(); !db.open()) {
            error = db.lastError();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")))
                error = q.lastError();
        }
    }
    if (!error.isValid())
        return DbResult::success();
    const int code = sqliteCode(error);
    if (code != 5 && code != 6 && !writable(m_path))
        return DbResult::failure(
            DbErrorKind::ReadOnly,
            QStringLiteral(
                "The database \"%1\" was not opened: a change to it was interrupted, and it cannot be put back in order while the file or its folder is read-only. Make them writable, then try again.")
                .arg(nativePath(m_path)));
    return openFailure(error);
}

DbResult DataStore::inspect(bool fullCheck) {
    const QString file = nativePath(m_path);
    const auto missingTable = [&](const QString& table) {
        return DbResult::failure(
            DbErrorKind::NotOpen,
            QStringLiteral(
                "The database \"%1\" is not a Rastrel database: the table %2 is missing.")
                .arg(file, table));
    };
    const SideConnection side(m_connectionName + QStringLiteral(" check"), m_path,
                              QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
    QSqlDatabase db = side.db();
    if (!db.open())
        return openFailure(db.lastError());
    QSqlQuery q(db);
    q.setForwardOnly(true);
    auto run = [&](const QString& sql, const std::function<void()>& row) -> DbResult {
        if (!q.exec(sql))
            return openFailure(q.lastError());
        while (q.next())
            row();
        if (q.lastError().isValid())
            return openFailure(q.lastError());
        return DbResult::success();
    };
    if (DbResult r = run(QStringLiteral("PRAGMA trusted_schema = OFF"), [] {}); !r)
        return r;
    if (fullCheck) {
        QString check;
        if (DbResult r = run(QStringLiteral("PRAGMA quick_check"),
                             [&] {
                                 check += (check.isEmpty() ? QString() : QStringLiteral("; ")) +
                                          q.value(0).toString();
                             });
            !r)
            return r;
        if (check != u"ok")
            return damaged(check.left(300));
    }
    QHash<QString, QSet<QString>> present; // table -> columns, lower case
    if (DbResult r = run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"),
                         [&] { present.insert(q.value(0).toString().toLower(), {}); });
        !r)
        return r;
    for (const TableDef& t : Schema::tables()) {
        auto it = present.find(t.name.toLower());
        if (it == present.end())
            return missingTable(t.name);
        if (DbResult r = run(QStringLiteral("PRAGMA table_info(\"%1\")").arg(t.name),
                             [&] { it->insert(q.value(1).toString().toLower()); });
            !r)
            return r;
        for (const ColumnDef& c : t.columns)
            if (!it->contains(c.name.toLower()))
                return DbResult::failure(
                    DbErrorKind::NotOpen,
                    QStringLiteral(
                        "The database \"%1\" is not a Rastrel database: the table %2 has no column %3.")
                        .arg(file, t.name, c.name));
    }
    // The header may lag behind a change still in the write-ahead log.
    int version = 0;
    if (DbResult r =
            run(QStringLiteral("PRAGMA user_version"), [&] { version = q.value(0).toInt(); });
        !r)
        return r;
    if (version > Schema::kCurrentVersion)
        return newerVersion(file);
    m_fileVersion = version;
    // Tables that came with the current version; an older file gets them
    // when it is updated.
    if (version == Schema::kCurrentVersion)
        for (const QString& t : Schema::attachmentTables())
            if (!present.contains(t.toLower()))
                return missingTable(t);
    return DbResult::success();
}

QString DataStore::restoringPath(const QString& path) {
    return path + QStringLiteral(".restoring");
}

DbResult DataStore::open(const QString& path) {
    close();
    m_path = path;
    m_created = false;
    m_changes = 0;
    m_readOnly = false;
    m_fullyChecked = false;
    m_notice.clear();
    m_fileVersion = Schema::kCurrentVersion;
    const QString file = nativePath(path);
    QFileInfo info(path);

    m_connectionName = QString::fromLatin1(kDataSourceName);
    for (int n = 2; QSqlDatabase::contains(m_connectionName); ++n)
        m_connectionName = QString::fromLatin1(kDataSourceName) + QStringLiteral(" %1").arg(n);

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
        if (DbResult r = checkHeader(); !r)
            return failOpen(r);

        // Side files a read-only look may leave behind are removed again
        // when the file is refused.
        const bool hadWal = QFileInfo::exists(path + QStringLiteral("-wal"));
        const bool hadShm = QFileInfo::exists(path + QStringLiteral("-shm"));
        const bool interrupted = hasSideFile(path, "-journal") || hasSideFile(path, "-wal");
        DbResult r = interrupted && hasSideFile(path, "-journal") ? recoverInterruptedChange()
                                                                  : DbResult::success();
        const bool fullCheck = interrupted || SessionMarker(path).needsFullCheck(programVersion());
        if (r)
            r = inspect(fullCheck);
        if (!r) {
            if (!hadWal && QFileInfo(path + QStringLiteral("-wal")).size() == 0) {
                QFile::remove(path + QStringLiteral("-wal"));
                if (!hadShm)
                    QFile::remove(path + QStringLiteral("-shm"));
            }
            return failOpen(r);
        }
        m_fullyChecked = fullCheck;
        m_readOnly = !writable(path);
        if (!m_readOnly)
            QFile::remove(restoringPath(path)); // half a restore, never the database itself
        if (m_readOnly && m_fileVersion < Schema::kCurrentVersion)
            return failOpen(
                QStringLiteral(
                    "The database \"%1\" was written by an older version of Rastrel and must be updated, but it is read-only, so it was not opened. Make the file and its folder writable, then try again.")
                    .arg(file));
    } else {
        if (!QDir().mkpath(info.absolutePath()))
            return failOpen(
                QStringLiteral(
                    "The database \"%1\" cannot be created: its folder \"%2\" cannot be made.")
                    .arg(file, QDir::toNativeSeparators(info.absolutePath())));
        if (!QFileInfo(info.absolutePath()).isWritable())
            return failOpen(
                QStringLiteral(
                    "The database \"%1\" cannot be created: its folder \"%2\" is read-only.")
                    .arg(file, QDir::toNativeSeparators(info.absolutePath())));
        m_created = true;
    }

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(m_readOnly
                                 ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000")
                                 : QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
        if (!db.open()) {
            if (m_created)
                return failOpen(QStringLiteral("The database \"%1\" cannot be created: %2")
                                    .arg(file, db.lastError().databaseText()));
            return failOpen(openFailure(db.lastError()));
        }
    }
    m_open = true;

    // A committed change must survive a crash of the program or the machine;
    // a file from elsewhere must not run code hidden in its schema.
    QStringList pragmas{QStringLiteral("PRAGMA trusted_schema = OFF")};
    if (!m_readOnly)
        pragmas << QStringLiteral("PRAGMA journal_mode = DELETE")
                << QStringLiteral("PRAGMA synchronous = FULL");
    for (const QString& pragma : std::as_const(pragmas)) {
        QSqlQuery q(connection());
        if (!q.exec(pragma)) {
            const QSqlError error = q.lastError();
            const bool removeNew = m_created;
            close();
            if (removeNew)
                QFile::remove(path);
            m_path = path;
            return m_created ? DbResult::failure(
                                   DbErrorKind::NotOpen,
                                   QStringLiteral("The database \"%1\" cannot be created: %2")
                                       .arg(file, error.databaseText()))
                             : openFailure(error);
        }
    }

    DbResult r = m_created                                 ? createSchema()
                 : m_fileVersion < Schema::kCurrentVersion ? migrate(m_fileVersion)
                                                           : DbResult::success();
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
    if (m_readOnly)
        m_notice =
            QStringLiteral(
                "The database \"%1\" is read-only (the file or its folder cannot be written to), so it has been opened for reading only. Changes cannot be saved until it is made writable.")
                .arg(file);
    else
        m_sessionBegun = SessionMarker(path).begin(programVersion());
    for (RecordSet* rs : std::as_const(m_attached))
        rs->invalidate();
    return DbResult::success();
}

DbResult DataStore::checkIntegrity(QString* report) {
    const QString file = nativePath(m_path);
    QString check;
    DbResult r = query(QStringLiteral("PRAGMA integrity_check"), {}, [&](const QSqlQuery& q) {
        check += (check.isEmpty() ? QString() : QStringLiteral("; ")) + q.value(0).toString();
    });
    if (r && check != u"ok")
        r = DbResult::failure(
            DbErrorKind::Other,
            QStringLiteral(
                "The database \"%1\" is damaged (%2). Restore it from a backup, or copy what you need from it before it gets worse.")
                .arg(file, check.left(300)));
    if (report)
        *report =
            r ? QStringLiteral("The database \"%1\" was checked and no damage was found.").arg(file)
              : r.message();
    return r;
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
