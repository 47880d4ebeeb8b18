#pragma once

#include "DbResult.h"
#include "RecordSet.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>

// The shared record sets, in the order they are opened at start-up.
enum class Command {
    RSLVendor,
    RSLCategories,
    RSLCategorybudget,
    RSLMakes,
    RSLManufacturer,
    RSLMaster,
    RSLModels,
    RSLParts,
    RSLVehicles,
    RSLVehiclesused,
    RSLCategoryBudget2,
    RSLCategoriesoverbudget,
    RSLCategorybudget3,
};

// The program's one database connection ("RSL Database") with the thirteen
// shared record sets every window reads and writes through. Owned by the main
// window for the whole run and handed to the windows that need it.
class DataStore {
public:
    static constexpr const char* kDataSourceName = "RSL Database";

    DataStore();
    ~DataStore();
    DataStore(const DataStore&) = delete;
    DataStore& operator=(const DataStore&) = delete;

    // The database file: the --database option wins over RASTREL_DATABASE,
    // which wins over rsl.sqlite in the per-user data folder.
    static QString resolvePath(const QString& option);
    static QString defaultPath();
    // Where a restore writes the new contents before renaming them over the
    // file; a copy left there by a killed run is removed at the next open.
    static QString restoringPath(const QString& path);

    // Opens the file, creating it with the schema and the starter data when it
    // does not exist. An existing file that is empty, not a database, damaged,
    // not a Rastrel database or from a newer version is refused and left as it
    // is; the message names the file and the reason. Nothing is written to an
    // existing file before it has passed its checks, which read it through a
    // read-only connection: the header, the schema and the page count on every
    // open, every page when the last run did not end cleanly, the program
    // version changed or the file was changed behind the program's back. A
    // file that cannot be written to is opened for reading only (see notice()).
    DbResult open(const QString& path);
    void close();
    bool isOpen() const { return m_open; }
    bool wasCreated() const { return m_created; }
    bool isReadOnly() const { return m_readOnly; }
    // Whether the last open read every page of the file.
    bool wasFullyChecked() const { return m_fullyChecked; }
    // Something the user should be told once after a successful open (the
    // file is opened for reading only); empty otherwise.
    const QString& notice() const { return m_notice; }

    // Reads every page of the open file and checks its structure. `report`
    // gets a sentence for the user either way.
    DbResult checkIntegrity(QString* report);
    static QString programVersion();
    const QString& path() const { return m_path; }
    QSqlDatabase connection() const;

    RecordSet& recordSet(Command command);
    RecordSet* recordSet(const QString& name); // case-insensitive; nullptr when unknown
    QList<RecordSet*> recordSets() const;

    // A single write statement; on success the record sets reading `table`
    // read their rows again the next time they are used.
    DbResult execute(const QString& table, const QString& sql, const QVariantList& binds = {});
    // The same write for many rows (an import): prepared once, then run
    // with each row's values. run() is execute() without preparing again.
    DbResult prepare(QSqlQuery& statement, const QString& sql) const;
    DbResult run(const QString& table, QSqlQuery& statement, const QVariantList& binds);
    // Runs a query and hands each result row to `row`.
    DbResult query(const QString& sql, const QVariantList& binds,
                   const std::function<void(const QSqlQuery&)>& row);

    // One more than the highest sequence number any part line with this part
    // name holds, in any project; 1 when there is none.
    qint64 nextSequenceNumber(const QString& partName, DbResult* error = nullptr);

    // A verified copy of the open database, made with VACUUM INTO.
    DbResult backupTo(const QString& file);

    void invalidateTable(const QString& table);
    // On a file open for reading only, a scratch table (refilled before a
    // report) is replaced for this run by a temporary one of the same layout,
    // held in memory, so that the report can be prepared without writing to
    // the file. Does nothing on a writable file.
    DbResult shadowScratchTable(const QString& table);

    // Called after each change that reaches the file: a write made outside
    // any transaction, or the commit of the outermost one (a rolled-back
    // transaction changed nothing). Views of figures drawn from several
    // tables use it to stay current whichever window made the change.
    // The listener is called until the returned handle is released (or the
    // data store is gone, whichever comes first).
    using ChangeListener = std::function<void()>;
    using Subscription = std::shared_ptr<void>;
    [[nodiscard]] Subscription subscribe(ChangeListener listener);

    // Used by Transaction; nested calls become savepoints.
    DbResult beginTransaction();
    DbResult commitTransaction();
    void rollbackTransaction();
    int transactionDepth() const { return int(m_levels.size()); }
    // Transactions open on any store of the program. No message box or dialog
    // may wait for the user while this is above 0: the file is locked meanwhile.
    static int transactionsOpen() { return s_openTransactions; }
    // Writes made since the file was opened (the end of a run backs up a
    // file only when something was changed).
    qint64 changeCount() const { return m_changes; }

    // The user's message for a failed statement: disk full, read-only and
    // locked files each get their own.
    DbResult resultOf(const QSqlError& error, const QString& action) const;
    QString notOpenMessage() const;

private:
    friend class RecordSet;
    void attach(RecordSet* rs) { m_attached.append(rs); }
    void detach(RecordSet* rs) { m_attached.removeAll(rs); }
    DbResult write(const QString& sql, const QVariantList& binds, qint64* lastId = nullptr);
    DbResult write(QSqlQuery& statement, const QVariantList& binds, qint64* lastId = nullptr);
    DbResult exec(const QString& sql);
    DbResult checkHeader();
    DbResult recoverInterruptedChange();
    DbResult inspect(bool fullCheck);
    DbResult openFailure(const QSqlError& error) const;
    DbResult damaged(const QString& reason) const;
    DbResult createSchema();
    DbResult migrate(int from);
    DbResult failOpen(const QString& why);
    void changed();
    DbResult failOpen(const DbResult& why);

    QString m_connectionName;
    QString m_path;
    bool m_open = false;
    bool m_created = false;
    bool m_readOnly = false;
    bool m_fullyChecked = false;
    bool m_sessionBegun = false;
    int m_fileVersion = 0;
    QString m_notice;
    QList<RecordSet*> m_attached;
    std::vector<std::unique_ptr<RecordSet>> m_sets; // indexed by Command
    using Level = QList<std::pair<RecordSet*, std::shared_ptr<RecordSet::Snapshot>>>;
    QList<Level> m_levels;
    qint64 m_changes = 0;
    static inline int s_openTransactions = 0;
    struct Listeners {
        QHash<int, ChangeListener> byId;
        int next = 1;
    };
    std::shared_ptr<Listeners> m_listeners = std::make_shared<Listeners>();
    bool m_changedInTransaction = false;
};
