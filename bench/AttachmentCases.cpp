#include "AttachmentCases.h"

#include "AttachmentStore.h"
#include "BenchDatabase.h"
#include "BenchShell.h"
#include "DataStore.h"
#include "MainWindow.h"
#include "Measure.h"
#include "ResultTable.h"
#include "UnattendedToolkit.h"
#include "WorksheetWindow.h"

#include <QAbstractItemModel>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTextStream>

namespace {

constexpr int kPhotos = 10;
// The largest file a line may hold: the data is made of as few rows as the
// limit allows, the way a user's scanned manuals and videos would be.
constexpr qint64 kChunk = AttachmentStore::kMaxBytes;
// Raise when what the file holds changes, so that old files are built again.
constexpr int kFormat = 1;

[[noreturn]] void fail(const QString& why) {
    BenchShell::fail(QStringLiteral("attachments: ") + why);
}

using BenchShell::settle;

// A photo-sized picture that compresses like one (no flat areas).
QString writePhoto(const QString& folder, int i) {
    QImage image(2000, 1500, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x * 7 + y * i) & 255, (x ^ y) & 255, (y * 3 + i * 40) & 255);
    }
    const QString path = QDir(folder).filePath(QStringLiteral("receipt-photo-%1.jpg").arg(i));
    if (!image.save(path, "JPEG", 85))
        fail(QStringLiteral("cannot write ") + path);
    return path;
}

struct Target {
    int project = 0;
    QString partName;
    int sequence = 0;
    qint64 line = 0;
};

// The line that gets the photos: one in the middle of the largest project.
Target pickTarget(DataStore& store) {
    Target t;
    ignoreError(store.query(
        QStringLiteral("SELECT Mas_vehicle_number FROM RSLMaster GROUP BY 1 ORDER BY count(*) "
                       "DESC, 1 DESC LIMIT 1"),
        {}, [&](const QSqlQuery& q) { t.project = q.value(0).toInt(); }));
    ignoreError(store.query(
        QStringLiteral("SELECT Part_Name, Sequence_Number, Line_id FROM RSLMaster WHERE "
                       "Mas_vehicle_number = ? ORDER BY Part_Name, Sequence_Number LIMIT 1 "
                       "OFFSET (SELECT count(*) / 2 FROM RSLMaster WHERE Mas_vehicle_number = ?)"),
        {t.project, t.project}, [&](const QSqlQuery& q) {
            t.partName = q.value(0).toString();
            t.sequence = q.value(1).toInt();
            t.line = q.value(2).toLongLong();
        }));
    if (t.line == 0)
        fail(QStringLiteral("the benchmark file has no part lines"));
    return t;
}

// Copies the projects' file and fills it: ten photos on the target line,
// `megabytes` of other files spread over other lines.
bool build(const QString& base, const QString& path, int megabytes, const QString& scratch) {
    QFile::remove(path);
    if (!QFile::copy(base, path))
        return false;
    DataStore store;
    if (!store.open(path))
        return false;
    AttachmentStore attachments(store);
    const Target t = pickTarget(store);
    for (int i = 0; i < kPhotos; ++i) {
        const QString photo = writePhoto(scratch, i);
        const DbResult r = attachments.add(t.line, photo);
        QFile::remove(photo);
        if (!r)
            fail(r.message());
    }
    QList<qint64> others;
    ignoreError(store.query(
        QStringLiteral("SELECT Line_id FROM RSLMaster WHERE Line_id <> ? ORDER BY Line_id"),
        {t.line}, [&](const QSqlQuery& q) { others << q.value(0).toLongLong(); }));
    if (others.isEmpty())
        return false;
    const qint64 total = qint64(megabytes) * 1024 * 1024;
    QByteArray data(int(std::min(kChunk, std::max<qint64>(total, 1))), '\0');
    for (qint64 stored = 0, n = 0; stored < total; ++n) {
        const qint64 size = std::min<qint64>(data.size(), total - stored);
        data.resize(int(size));
        // Different contents per file, without building 25 MB anew each time.
        for (int k = 0; k < data.size(); k += 4096)
            data[k] = char(n + k / 4096);
        PreparedAttachment file;
        file.fileName = QStringLiteral("scanned manual %1.pdf").arg(n);
        file.mimeType = QStringLiteral("application/octet-stream");
        file.data = data;
        file.checksum =
            QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
        if (const DbResult r = attachments.store(others[n % others.size()], file); !r)
            fail(r.message());
        stored += size;
    }
    return true;
}

// The plan SQLite makes for listing a line's attachments, as one line of text.
QString listingPlan(const QString& path) {
    const QString name = QStringLiteral("bench attachment plan");
    QString plan;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            fail(db.lastError().text());
        QSqlQuery q(db);
        if (!q.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + AttachmentStore::listStatement()))
            fail(q.lastError().text());
        q.addBindValue(1);
        if (!q.exec())
            fail(q.lastError().text());
        QStringList steps;
        while (q.next())
            steps << q.value(3).toString();
        plan = steps.join(QStringLiteral("; "));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return plan;
}

} // namespace

QCommandLineOption AttachmentCases::sizeOption() {
    return QCommandLineOption(QStringLiteral("attachment-mb"),
                              QStringLiteral("Attachment data in the attachments file, in MB."),
                              QStringLiteral("MB"), QStringLiteral("2048"));
}

QString AttachmentCases::run(BenchDatabase& db, int runs, const QString& base, int megabytes) {
    megabytes = std::max(1, megabytes);
    const QString path = QDir(db.folder())
                             .filePath(QStringLiteral("attachments-%1-%2mb-v%3.sqlite")
                                           .arg(QFileInfo(base).completeBaseName())
                                           .arg(megabytes)
                                           .arg(kFormat));
    if (!QFileInfo::exists(path)) {
        QTextStream(stdout) << "Building " << QDir::toNativeSeparators(path) << "...\n";
        if (!build(base, path, megabytes, db.folder())) {
            QFile::remove(path);
            fail(QStringLiteral("cannot build ") + path);
        }
    }
    const Measure measure(runs);
    ResultTable::Section s{QStringLiteral("Attachments: %1 MB in the file").arg(megabytes), {}};

    // Listing, through the store and bare.
    DataStore store;
    if (!store.open(path))
        fail(QStringLiteral("cannot open ") + path);
    const Target t = pickTarget(store);
    AttachmentStore attachments(store);
    if (attachments.list(t.line).size() != kPhotos)
        fail(QStringLiteral("the line does not hold its ten photos"));
    qint64 heaviest = 0;
    ignoreError(
        store.query(QStringLiteral("SELECT Line_id FROM RSLAttachments GROUP BY Line_id ORDER BY "
                                   "sum(Size_bytes) DESC LIMIT 1"),
                    {}, [&](const QSqlQuery& q) { heaviest = q.value(0).toLongLong(); }));
    const auto bare = [&](qint64 line) {
        return [&store, line] {
            ignoreError(
                store.query(AttachmentStore::listStatement(), {line}, [](const QSqlQuery& q) {
                    for (int i = 0; i < 7; ++i)
                        (void)q.value(i).toString();
                }));
        };
    };
    s.rows << ResultTable::Row{
        QStringLiteral("List the attachments of the line with the most data (floor: the bare "
                       "query)"),
        measure.run([&] { (void)attachments.list(heaviest); }), measure.run(bare(heaviest))};
    const Measure::Figure photosBare = measure.run(bare(t.line));
    s.rows << ResultTable::Row{
        QStringLiteral("List the ten photos of a line (floor: the bare query)"),
        measure.run([&] { (void)attachments.list(t.line); }), photosBare};
    // The main window opens the file on the same connection name.
    store.close();
    const QString plan = listingPlan(path);
    if (plan.contains(QStringLiteral("RSLAttachmentData"), Qt::CaseInsensitive) ||
        !plan.contains(QStringLiteral("USING INDEX"), Qt::CaseInsensitive))
        fail(QStringLiteral("listing reads more than the descriptions: ") + plan);

    // Part Detail in the worksheet.
    UnattendedToolkit toolkit;
    MainWindow shell(BenchShell::options(db, path), toolkit);
    BenchShell::start(shell);
    shell.closeWindow(WindowId::Projects);
    settle();
    BenchShell::openProject(shell, t.project);
    QWidget* w = shell.showWindow(WindowId::Worksheet);
    if (!w)
        fail(QStringLiteral("the worksheet did not open"));
    settle();
    auto* grid = w->findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    int target = -1;
    for (int r = 0; r < grid->model()->rowCount() && target < 0; ++r)
        if (grid->model()->index(r, 0).data().toString() == t.partName &&
            grid->model()->index(r, 3).data().toInt() == t.sequence)
            target = r;
    if (target < 0)
        fail(QStringLiteral("the line with the photos is not in the grid"));
    const auto open = [&] {
        grid->setCurrentIndex(grid->model()->index(target, 0));
        Q_EMIT grid->doubleClicked(grid->currentIndex());
        settle();
    };
    const auto back = [&] { tabs->setCurrentIndex(WorksheetWindow::SummaryTab); };
    open(); // the thumbnails are made here, once
    auto* list = w->findChild<QWidget*>(QStringLiteral("attachments0"))
                     ->findChild<QListWidget*>(QStringLiteral("lstAttachments"));
    if (!list || list->count() != kPhotos)
        fail(QStringLiteral("Part Detail does not show the ten photos"));
    s.rows << ResultTable::Row{
        QStringLiteral("Open Part Detail of a line with ten photos (floor: listing them bare)"),
        measure.run(open, back), photosBare};
    shell.closeWindow(WindowId::Worksheet);
    settle();
    return ResultTable::table(s) + QStringLiteral("Listing plan: %1.\n\n").arg(plan);
}
