#include "CrashPaths.h"

#include "AppState.h"
#include "BudgetSheet.h"
#include "CategoryList.h"
#include "ContactBook.h"
#include "CsvImport.h"
#include "CsvReader.h"
#include "DataStore.h"
#include "DatabaseBackup.h"
#include "PartLineStore.h"
#include "ProjectEditor.h"
#include "ProjectStore.h"
#include "Shell.h"
#include "TestDatabase.h"
#include "Transaction.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <QSqlQuery>

qint64 crashCount(DataStore& store, const QString& sql, const QVariantList& binds) {
    qint64 n = -1;
    if (!store.query(sql, binds, [&](const QSqlQuery& q) { n = q.value(0).toLongLong(); }))
        return -1;
    return n;
}

QString filled(QString text, std::initializer_list<qint64> numbers) {
    for (const qint64 n : numbers)
        text = text.arg(n);
    return text;
}

QString projectsWhole(DataStore& store) {
    const qint64 categories = crashCount(store, "SELECT COUNT(*) FROM RSLCategories");
    QStringList faults;
    store
        .query("SELECT n, (SELECT COUNT(*) FROM RSLVehicles WHERE vehicle_number = n), "
               "(SELECT COUNT(*) FROM RSLVehiclesused WHERE used_vehicle_number = n), "
               "(SELECT COUNT(*) FROM RSLCategorybudget WHERE Cat_vehicle_number = n), "
               "(SELECT COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = n) FROM ("
               "SELECT vehicle_number AS n FROM RSLVehicles UNION SELECT used_vehicle_number "
               "FROM RSLVehiclesused UNION SELECT Cat_vehicle_number FROM RSLCategorybudget "
               "WHERE Cat_vehicle_number <> 0 UNION SELECT Mas_vehicle_number FROM RSLMaster)",
               {},
               [&](const QSqlQuery& q) {
                   const qint64 rows = q.value(1).toLongLong(), used = q.value(2).toLongLong(),
                                budget = q.value(3).toLongLong();
                   if (rows != 1 || used != 1 || budget != categories)
                       faults << filled(
                           "project %1: %2 rows, %3 used, %4 of %5 budget rows, %6 lines",
                           {q.value(0).toLongLong(), rows, used, budget, categories,
                            q.value(4).toLongLong()});
               })
        .ok();
    return faults.join(QStringLiteral("; "));
}

namespace {

DbResult fail(const QString& why) {
    return DbResult::failure(DbErrorKind::Other, why);
}

DbResult done(const MaintenanceResult& r) {
    return r.isDone() ? DbResult::success() : fail(r.message());
}

// The highest step number the rows carry (`number`, an SQL expression); -1 for none.
int highest(DataStore& store, const QString& number, const QString& rows,
            const QVariantList& binds = {}) {
    return int(crashCount(
        store,
        QStringLiteral("SELECT COALESCE(MAX(CAST(%1 AS INTEGER)), -1) FROM %2").arg(number, rows),
        binds));
}

// Lines of a step (their notes match `glob`) whose vendor is not in the list.
qint64 withoutVendor(DataStore& store, const QString& glob) {
    return crashCount(store,
                      "SELECT COUNT(*) FROM RSLMaster m WHERE Notes GLOB ? AND NOT EXISTS (SELECT "
                      "1 FROM RSLVendor WHERE vendor_name = m.Vendor)",
                      {glob});
}

// The project "1990 CRASH <model>" with its budget rows; its number in *number.
DbResult addProject(DataStore& store, const QString& model, qint64* number = nullptr) {
    ProjectStore projects(store);
    if (DbResult r = projects.refillNewBudget(); !r)
        return r;
    ProjectInput in;
    in.year = QStringLiteral("1990");
    in.make = QStringLiteral("CRASH");
    in.model = model;
    in.picture = QStringLiteral("");
    in.totalBudget = QStringLiteral("0");
    const ProjectStore::AddResult a = projects.addProject(in);
    if (a.outcome != ProjectStore::AddOutcome::Added)
        return a.error.ok() ? fail(QStringLiteral("not added")) : a.error;
    if (number)
        *number = a.number;
    return DbResult::success();
}

// `count` part lines of one project in one statement, numbered from
// `firstSequence` on; the notes make the file as large as a real one.
DbResult insertLines(DataStore& store, int count, const QString& part, qint64 firstSequence,
                     qint64 project, const QVariant& vendor = {}) {
    return store.execute(
        QStringLiteral("RSLMaster"),
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                       "%1) INSERT INTO RSLMaster (Part_Name, Sequence_Number, Mas_vehicle_number, "
                       "Category, Vendor, Quantity, Price, Total_cost, Notes) SELECT ?, ? + i, ?, "
                       "'HARDWARE', ?, 1, 0.25, 0.25, printf('part %04d of a long run', i) FROM n")
            .arg(count),
        {part, firstSequence, project, vendor});
}

// Adding a project with its budget rows; the oldest goes when there are 20.
class AddProject : public CrashPath {
public:
    QString name() const override { return QStringLiteral("add project"); }
    DbResult step(Shell& shell, int number) override {
        if (DbResult r = addProject(shell.data(), QStringLiteral("A%1").arg(number)); !r)
            return r;
        // Also those a killed run left behind, so the numbers never run out.
        QStringList old;
        if (DbResult r = shell.data().query(
                QStringLiteral("SELECT vehicle_description FROM RSLVehicles WHERE vehicle_make = "
                               "'CRASH' AND CAST(SUBSTR(vehicle_model, 2) AS INTEGER) <= ?"),
                {number - 20}, [&](const QSqlQuery& q) { old << q.value(0).toString(); });
            !r)
            return r;
        ProjectStore projects(shell.data());
        for (const QString& description : std::as_const(old))
            if (DbResult r = projects.deleteProject(description); !r)
                return r;
        return DbResult::success();
    }
    int progress(DataStore& store) override {
        return highest(store, "SUBSTR(vehicle_model, 2)",
                       "RSLVehicles WHERE vehicle_make = 'CRASH'");
    }
    QString halfStored(DataStore& store) override { return projectsWhole(store); }
};

// Deleting a project of 1,000 part lines: the next one is made first (in one
// transaction of its own), then the current one is deleted.
class DeleteProject : public CrashPath {
public:
    QString name() const override { return QStringLiteral("delete project of 1,000 lines"); }
    DbResult setUp(Shell& shell) override { return make(shell.data(), 0); }
    DbResult step(Shell& shell, int number) override {
        DataStore& store = shell.data();
        if (crashCount(store, "SELECT COUNT(*) FROM RSLVehicles WHERE vehicle_description = ?",
                       {QStringLiteral("1990 CRASH D%1").arg(number + 1)}) == 0)
            if (DbResult r = make(store, number + 1); !r)
                return r;
        return ProjectStore(store).deleteProject(QStringLiteral("1990 CRASH D%1").arg(number));
    }
    int progress(DataStore& store) override {
        return int(crashCount(store, "SELECT MIN(CAST(SUBSTR(vehicle_model, 2) AS INTEGER)) - 1 "
                                     "FROM RSLVehicles WHERE vehicle_make = 'CRASH'"));
    }
    QString halfStored(DataStore& store) override {
        QString faults = projectsWhole(store);
        const qint64 wrong = crashCount(
            store, "SELECT COUNT(*) FROM RSLVehicles v WHERE vehicle_make = 'CRASH' AND (SELECT "
                   "COUNT(*) FROM RSLMaster WHERE Mas_vehicle_number = v.vehicle_number) <> 1000");
        if (wrong != 0)
            faults += QStringLiteral(" %1 projects without their 1,000 lines").arg(wrong);
        return faults.trimmed();
    }

private:
    static DbResult make(DataStore& store, int number) {
        Transaction tx(store);
        if (!tx.status())
            return tx.status();
        qint64 project = 0;
        if (DbResult r = addProject(store, QStringLiteral("D%1").arg(number), &project); !r)
            return r;
        if (DbResult r =
                insertLines(store, 1000, QStringLiteral("BOLT"), 100000 * (number + 1), project);
            !r)
            return r;
        return tx.commit();
    }
};

// Adding, accepting and deleting a part line in the open project: the line
// brings a new vendor with it, which must not stay behind alone.
class PartLines : public CrashPath {
public:
    QString name() const override { return QStringLiteral("add, accept, delete part line"); }
    DbResult step(Shell& shell, int number) override {
        DataStore& store = shell.data();
        PartLineStore lines(store);
        PartLine line;
        line.partName = QStringLiteral("ALTERNATOR");
        line.category = QStringLiteral("ELECTRICAL");
        line.vendor = QStringLiteral("CRASH VENDOR %1").arg(number);
        line.notes = QStringLiteral("L%1").arg(number);
        line.quantity = QStringLiteral("1");
        line.price = QStringLiteral("1");
        line.totalCost = QStringLiteral("1");
        line.selected = true;
        qint64 sequence = sequenceOf(store, number);
        if (sequence == 0) {
            const PartLineStore::Result r = lines.add(line, 1);
            if (r.outcome != PartLineStore::Outcome::Stored)
                return fail(r.message);
            sequence = r.sequenceNumber;
        }
        line.price = line.totalCost = QString::number(number + 2);
        const QString key = QString::number(sequence);
        if (DbResult r = stored(lines.accept(line, 1, line.partName, key)); !r)
            return r;
        // Every older line goes, also one a killed run left behind.
        QList<qint64> older;
        if (DbResult r = store.query(
                QStringLiteral("SELECT Sequence_Number FROM RSLMaster WHERE Part_Name = "
                               "'ALTERNATOR' AND Notes GLOB 'L[0-9]*' AND CAST(SUBSTR(Notes, 2) AS "
                               "INTEGER) < ?"),
                {number}, [&](const QSqlQuery& q) { older << q.value(0).toLongLong(); });
            !r)
            return r;
        for (qint64 previous : std::as_const(older))
            if (DbResult r = stored(lines.remove(line.partName, QString::number(previous))); !r)
                return r;
        return DbResult::success();
    }
    int progress(DataStore& store) override {
        // A line counts once it has been accepted (its price is its number + 2).
        return highest(store, "SUBSTR(Notes, 2)",
                       "RSLMaster WHERE Notes GLOB 'L[0-9]*' AND Part_Name = 'ALTERNATOR' AND "
                       "Price = CAST(SUBSTR(Notes, 2) AS INTEGER) + 2");
    }
    QString halfStored(DataStore& store) override {
        const qint64 alone = withoutVendor(store, "L[0-9]*");
        // An accept writes price and total together.
        const qint64 torn = crashCount(store, "SELECT COUNT(*) FROM RSLMaster WHERE Notes GLOB "
                                              "'L[0-9]*' AND Price <> Total_cost");
        return alone || torn
                   ? filled("%1 lines without their vendor, %2 half accepted", {alone, torn})
                   : QString();
    }

private:
    static DbResult stored(const PartLineStore::Result& r) {
        return r.outcome == PartLineStore::Outcome::Stored ? DbResult::success() : fail(r.message);
    }
    static qint64 sequenceOf(DataStore& store, int number) {
        return std::max<qint64>(0,
                                crashCount(store,
                                           "SELECT COALESCE(MAX(Sequence_Number), 0) FROM "
                                           "RSLMaster WHERE Part_Name = 'ALTERNATOR' AND Notes = ?",
                                           {QStringLiteral("L%1").arg(number)}));
    }
};

// A vendor whose name carries the step number, on 3,000 part lines: the file
// holds either the old number or the new one, on the vendor and every line.
class MarkedVendor : public CrashPath {
public:
    explicit MarkedVendor(const QString& prefix)
        : m_prefix(prefix) {}
    DbResult setUp(Shell& shell) override {
        Contact c;
        c.name = mark(0);
        if (DbResult r = done(ContactBook(shell.data(), ContactBook::Kind::Vendors).add(c)); !r)
            return r;
        return insertLines(shell.data(), 3000, QStringLiteral("GASKET"), 500000, 1, mark(0));
    }
    int progress(DataStore& store) override {
        return highest(store, "SUBSTR(vendor_name, ?)", "RSLVendor WHERE vendor_name LIKE ?",
                       {int(m_prefix.size()) + 1, like()});
    }
    QString halfStored(DataStore& store) override {
        const qint64 marks =
            crashCount(store, "SELECT COUNT(*) FROM RSLVendor WHERE vendor_name LIKE ?", {like()});
        const qint64 onLines = crashCount(
            store,
            "SELECT COUNT(*) FROM RSLMaster WHERE Part_Name = 'GASKET' AND Vendor = (SELECT "
            "vendor_name FROM RSLVendor WHERE vendor_name LIKE ?)",
            {like()});
        const qint64 lines =
            crashCount(store, "SELECT COUNT(*) FROM RSLMaster WHERE Part_Name = 'GASKET'");
        return marks != 1 || onLines != 3000 || lines != 3000
                   ? filled("%1 vendor rows, %2 of %3 lines carry its name",
                            {marks, onLines, lines})
                   : QString();
    }

protected:
    QString mark(int number) const { return m_prefix + QString::number(number); }
    QString like() const { return m_prefix + u'%'; }

private:
    QString m_prefix;
};

// Renaming a vendor that 3,000 part lines use.
class RenameVendor : public MarkedVendor {
public:
    RenameVendor()
        : MarkedVendor(QStringLiteral("RENAMED ")) {}
    QString name() const override { return QStringLiteral("rename vendor on 3,000 lines"); }
    DbResult step(Shell& shell, int number) override {
        Contact c;
        c.name = mark(number);
        return done(
            ContactBook(shell.data(), ContactBook::Kind::Vendors).change(mark(number - 1), c, [] {
            }));
    }
};

// Adding a category, which gives every project a budget row for it.
class AddCategory : public CrashPath {
public:
    QString name() const override { return QStringLiteral("add category"); }
    DbResult setUp(Shell& shell) override {
        // More projects, so that the budget rows are many.
        for (int i = 0; i < 20; ++i)
            if (DbResult r = addProject(shell.data(), QStringLiteral("C%1").arg(i)); !r)
                return r;
        return DbResult::success();
    }
    DbResult step(Shell& shell, int number) override {
        return done(CategoryList(shell.data()).add(QStringLiteral("CRASH CAT %1").arg(number)));
    }
    int progress(DataStore& store) override {
        return highest(store, "SUBSTR(Category, 11)",
                       "RSLCategories WHERE Category LIKE 'CRASH CAT %'");
    }
    QString halfStored(DataStore& store) override {
        // Every pair of a category and a project in use, once: counted without
        // a lookup per pair, as the list grows by hundreds during a run.
        const qint64 missing = crashCount(
            store,
            "SELECT (SELECT COUNT(*) FROM RSLCategories) * (SELECT COUNT(*) FROM "
            "RSLVehiclesused) - (SELECT COUNT(*) FROM (SELECT DISTINCT b.Category, "
            "b.Cat_vehicle_number FROM RSLCategorybudget b JOIN RSLVehiclesused u ON "
            "u.used_vehicle_number = b.Cat_vehicle_number JOIN RSLCategories c ON "
            "c.Category = b.Category)) + (SELECT COUNT(*) - COUNT(DISTINCT Category || "
            "'|' || Cat_vehicle_number) FROM RSLCategorybudget WHERE Cat_vehicle_number <> 0)");
        return missing == 0 ? QString()
                            : QStringLiteral("%1 budget rows missing or doubled").arg(missing);
    }
};

// Saving the budget of an existing project: every row and the total together.
class SaveBudget : public CrashPath {
public:
    QString name() const override { return QStringLiteral("save budget"); }
    DbResult setUp(Shell& shell) override { return step(shell, 0); }
    DbResult step(Shell& shell, int number) override {
        AppState& state = shell.state();
        state.vehicleedit = QStringLiteral("Y");
        ProjectEditor editor(shell.data(), state);
        DbResult copyError;
        const auto project = editor.load(QStringLiteral("1986 FORD MUSTANG"), &copyError);
        if (!project)
            return fail(QStringLiteral("no sample project"));
        BudgetSheet sheet(shell.data(), state);
        sheet.load();
        const QString amount = QString::number(number + 1);
        for (int row = 0; row < sheet.rows().size(); ++row)
            if (sheet.setAmount(row, amount) == BudgetSheet::SetOutcome::Refused)
                return fail(QStringLiteral("amount refused"));
        ProjectInput input;
        input.year = project->year;
        input.make = project->make;
        input.model = project->model;
        input.picture = ProjectInput::stored(project->picture);
        input.totalBudget = sheet.total().value_or(Money()).toPlainText();
        const ProjectEditor::ChangeResult r = editor.change(input);
        if (r.outcome != ProjectEditor::ChangeOutcome::Changed)
            return r.error.ok() ? fail(QStringLiteral("not changed")) : r.error;
        return DbResult::success();
    }
    int progress(DataStore& store) override {
        return int(crashCount(store, "SELECT CAST(MIN(Budget_amount) AS INTEGER) - 1 FROM "
                                     "RSLCategorybudget WHERE Cat_vehicle_number = 1"));
    }
    QString halfStored(DataStore& store) override {
        const qint64 distinct = crashCount(
            store,
            "SELECT COUNT(DISTINCT Budget_amount) FROM RSLCategorybudget WHERE Cat_vehicle_number = 1");
        const qint64 totalAgrees = crashCount(
            store, "SELECT ABS((SELECT SUM(Budget_amount) FROM RSLCategorybudget WHERE "
                   "Cat_vehicle_number = 1) - (SELECT budget_amount FROM RSLVehicles WHERE "
                   "vehicle_number = 1)) < 0.00005");
        QString faults = projectsWhole(store);
        if (distinct > 1 || totalAgrees != 1)
            faults += QStringLiteral(" budget rows of %1 amounts, total %2")
                          .arg(distinct)
                          .arg(totalAgrees == 1 ? "agrees" : "disagrees");
        return faults.trimmed();
    }
};

// Importing 200 part lines from a CSV file: all of them are stored, or none.
class ImportLines : public CrashPath {
public:
    QString name() const override { return QStringLiteral("CSV import of 200 lines"); }
    DbResult step(Shell& shell, int number) override {
        QByteArray csv = "Part Name,Quantity,Price,Vendor,Notes\r\n";
        for (int row = 0; row < 200; ++row)
            csv += filled("ALTERNATOR,1,%1,IMPORT VENDOR %2,I%2-%3\r\n", {row + 1, number, row})
                       .toUtf8();
        CsvImport import(shell.data(), ExchangeKind::ProjectLines);
        import.setProject(1);
        import.setTaxPercentage(QStringLiteral("0"));
        import.setTable(CsvReader::parse(csv));
        import.check();
        const CsvImport::Outcome out = import.store();
        if (!out.stored)
            return fail(out.message);
        // The oldest batch goes, so the file does not grow without end.
        return shell.data().execute(
            QStringLiteral("RSLMaster"),
            QStringLiteral("DELETE FROM RSLMaster WHERE Notes GLOB 'I[0-9]*-[0-9]*' AND "
                           "CAST(SUBSTR(Notes, 2, INSTR(Notes, '-') - 2) AS INTEGER) < ?"),
            {number - 2});
    }
    int progress(DataStore& store) override {
        return highest(store, "SUBSTR(Notes, 2, INSTR(Notes, '-') - 2)",
                       "RSLMaster WHERE Notes GLOB 'I[0-9]*-[0-9]*'");
    }
    QString halfStored(DataStore& store) override {
        const qint64 partial = crashCount(
            store,
            "SELECT COUNT(*) FROM (SELECT SUBSTR(Notes, 1, INSTR(Notes, '-')) AS batch, "
            "COUNT(*) AS n FROM RSLMaster WHERE Notes GLOB 'I[0-9]*-[0-9]*' GROUP BY batch) WHERE n <> 200");
        const qint64 noVendor = withoutVendor(store, "I[0-9]*-[0-9]*");
        return partial || noVendor ? filled("%1 batches not whole, %2 lines without their vendor",
                                            {partial, noVendor})
                                   : QString();
    }
};

// Restoring a backup as File > Restore From Backup does: the backup is
// inspected, the database closed, the backup put in its place and the file
// opened again. Each step's backup is the file as it is with the mark moved
// on by one.
class RestoreBackup : public MarkedVendor {
public:
    RestoreBackup()
        : MarkedVendor(QStringLiteral("RESTORE MARK ")) {}
    QString name() const override { return QStringLiteral("restore from backup"); }
    DbResult step(Shell& shell, int number) override {
        DataStore& store = shell.data();
        const QString path = store.path();
        const QString folder = QFileInfo(path).absolutePath() + QStringLiteral("/sources");
        if (!QDir().mkpath(folder))
            return fail(QStringLiteral("no sources folder"));
        const QString source = folder + QStringLiteral("/next.sqlite");
        if (DbResult r = DatabaseBackup::backup(store, source); !r)
            return r;
        for (const QString& sql :
             {QStringLiteral("UPDATE RSLVendor SET vendor_name = '%1' WHERE vendor_name = '%2'"),
              QStringLiteral("UPDATE RSLMaster SET Vendor = '%1' WHERE Vendor = '%2'")})
            if (!TestDatabase::exec(source, sql.arg(mark(number), mark(number - 1))))
                return fail(QStringLiteral("source unchanged"));
        if (DatabaseBackup::Inspection check = DatabaseBackup::inspect(source); !check.result)
            return check.result;
        store.close();
        const DbResult replaced =
            DatabaseBackup::replace(source, path, QDateTime::currentDateTime(), nullptr);
        const DbResult opened = store.open(path);
        if (!replaced || !opened)
            return replaced ? opened : replaced;
        // The safety copies of every run so far, or the disk fills.
        QDir beside(QFileInfo(path).absolutePath());
        for (const QString& name : beside.entryList(
                 {QFileInfo(path).fileName() + QStringLiteral(".before-restore-*")}, QDir::Files))
            beside.remove(name);
        return DbResult::success();
    }
};

} // namespace

std::vector<std::unique_ptr<CrashPath>> CrashPath::all() {
    CrashPath* const paths[] = {new AddProject,   new DeleteProject, new PartLines,
                                new RenameVendor, new AddCategory,   new SaveBudget,
                                new ImportLines,  new RestoreBackup};
    return std::vector<std::unique_ptr<CrashPath>>(std::begin(paths), std::end(paths));
}

CrashPath* CrashPath::find(const QString& name) {
    static const std::vector<std::unique_ptr<CrashPath>> paths = all();
    for (const auto& p : paths)
        if (p->name() == name)
            return p.get();
    return nullptr;
}
