#include "DatabaseFiles.h"

#include "DataStore.h"
#include "DatabaseBackup.h"
#include "MainWindow.h"
#include "RecentDatabases.h"
#include "Settings.h"
#include "Toolkit.h"
#include "Transaction.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

const QString DatabaseFiles::kFilter =
    QStringLiteral("Rastrel databases (*.sqlite *.db);;All files (*)");

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString stamp() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

} // namespace

DatabaseFiles::DatabaseFiles(MainWindow& window)
    : m_window(window) {}

bool DatabaseFiles::mayOpenAtStart(const QString& file, bool createFreely) {
    if (createFreely || QFileInfo::exists(file))
        return true;
    return m_window.toolkit().askYesNo(
               QStringLiteral("The database \"%1\" does not exist. Do you want to create a new "
                              "database there?")
                   .arg(shown(file)),
               Toolkit::applicationTitle()) == Toolkit::Answer::Yes;
}

void DatabaseFiles::backUp() {
    DataStore& store = m_window.data();
    Toolkit& toolkit = m_window.toolkit();
    if (!store.isOpen()) {
        toolkit.inform(store.notOpenMessage());
        return;
    }
    const QFileInfo current(store.path());
    const QString suggested =
        current.absoluteDir().filePath(current.completeBaseName() + QStringLiteral("-backup-") +
                                       stamp() + QStringLiteral(".sqlite"));
    const QString target =
        toolkit.chooseSaveFile(&m_window, QStringLiteral("Back Up Database"), kFilter, suggested);
    if (target.isEmpty())
        return;
    if (QFileInfo(target).absoluteFilePath() == current.absoluteFilePath()) {
        toolkit.inform(QStringLiteral("A backup cannot replace the open database itself. "
                                      "Choose another file."));
        return;
    }
    if (DbResult r = DatabaseBackup::backup(store, target); !r) {
        toolkit.inform(r.message());
        return;
    }
    toolkit.inform(QStringLiteral("The database was backed up to \"%1\".").arg(shown(target)));
}

void DatabaseFiles::automaticBackup() {
    DataStore& store = m_window.data();
    const Settings& settings = m_window.settings();
    if (!store.isOpen() || store.changeCount() == 0 ||
        settings.value(Settings::kAutomaticBackup, QStringLiteral("Y")) == u"N")
        return;
    bool ok = false;
    const int kept = settings.value(Settings::kBackupsKept, QStringLiteral("10")).toInt(&ok);
    if (DbResult r = DatabaseBackup::automatic(store, ok && kept >= 1 ? kept : 10,
                                               QDateTime::currentDateTime());
        !r)
        m_window.toolkit().inform(
            QStringLiteral("The automatic backup could not be made: %1").arg(r.message()));
}

void DatabaseFiles::restore() {
    DataStore& store = m_window.data();
    Toolkit& toolkit = m_window.toolkit();
    const QString path = store.path();
    if (path.isEmpty()) {
        toolkit.inform(store.notOpenMessage());
        return;
    }
    const QString backup = toolkit.chooseFile(&m_window, QStringLiteral("Restore From Backup"),
                                              kFilter, DatabaseBackup::automaticFolder(path));
    if (backup.isEmpty())
        return;
    if (QFileInfo(backup).absoluteFilePath() == QFileInfo(path).absoluteFilePath()) {
        toolkit.inform(QStringLiteral("That is the open database itself. Choose a backup."));
        return;
    }
    const DatabaseBackup::Inspection check = DatabaseBackup::inspect(backup);
    if (!check.result) {
        toolkit.inform(check.result.message() +
                       QStringLiteral(" Nothing was restored; the database is as it was."));
        return;
    }
    const QString question =
        QStringLiteral("Restore the backup of %1 with %2 project(s)?\n\nEverything in \"%3\" "
                       "will be replaced by the backup. A safety copy of it as it is now is kept "
                       "beside it.")
            .arg(QLocale().toString(check.date, QLocale::ShortFormat))
            .arg(check.projects)
            .arg(shown(path));
    if (toolkit.askYesNo(question, Toolkit::applicationTitle(), false) != Toolkit::Answer::Yes)
        return;
    if (!m_window.leaveDatabase())
        return;
    store.close();
    QString safety;
    const DbResult replaced =
        DatabaseBackup::replace(backup, path, QDateTime::currentDateTime(), &safety);
    const DbResult opened = store.open(path);
    m_window.enterDatabase();
    if (!replaced)
        toolkit.inform(replaced.message());
    else if (!opened)
        toolkit.inform(opened.message());
    else
        toolkit.inform(QStringLiteral("The backup has been restored. The database as it was "
                                      "before is kept as \"%1\".")
                           .arg(shown(safety)));
}

bool DatabaseFiles::switchTo(const QString& file) {
    DataStore& store = m_window.data();
    const QString previous = store.path();
    if (!m_window.leaveDatabase())
        return false;
    DbResult r = store.open(file);
    if (r)
        RecentDatabases(m_window.settings()).add(file);
    else if (!previous.isEmpty() && QFileInfo::exists(previous))
        ignoreError(store.open(previous));
    m_window.enterDatabase();
    if (!r)
        m_window.toolkit().inform(r.message());
    else if (!store.notice().isEmpty())
        m_window.toolkit().inform(store.notice());
    return r.ok();
}

void DatabaseFiles::openFile(const QString& file) {
    if (!QFileInfo::exists(file)) {
        RecentDatabases(m_window.settings()).remove(file);
        m_window.refreshRecentMenu();
        m_window.toolkit().inform(
            QStringLiteral("The database \"%1\" no longer exists. It has been removed from the "
                           "list of recent databases.")
                .arg(shown(file)));
        return;
    }
    switchTo(file);
}

void DatabaseFiles::openDatabase() {
    const QString folder = QFileInfo(m_window.data().path()).absolutePath();
    const QString file =
        m_window.toolkit().chooseFile(&m_window, QStringLiteral("Open Database"), kFilter, folder);
    if (file.isEmpty())
        return;
    if (!QFileInfo::exists(file)) {
        m_window.toolkit().inform(
            QStringLiteral("The database \"%1\" does not exist. Use New Database... to make a "
                           "new one.")
                .arg(shown(file)));
        return;
    }
    switchTo(file);
}

void DatabaseFiles::newDatabase() {
    Toolkit& toolkit = m_window.toolkit();
    const QString folder = QFileInfo(m_window.data().path()).absolutePath();
    const QString file = toolkit.chooseSaveFile(
        &m_window, QStringLiteral("New Database"), kFilter,
        QDir(folder).filePath(QStringLiteral("New Rastrel database.sqlite")));
    if (file.isEmpty())
        return;
    if (QFileInfo::exists(file)) {
        toolkit.inform(QStringLiteral("The file \"%1\" exists already. A new database needs a "
                                      "name that is not in use.")
                           .arg(shown(file)));
        return;
    }
    const bool sample = toolkit.askYesNo(QStringLiteral("Include the sample project in the new "
                                                        "database?"),
                                         Toolkit::applicationTitle()) == Toolkit::Answer::Yes;
    if (!switchTo(file) || sample)
        return;
    // The starter data holds the sample project only; the reference lists stay.
    DataStore& store = m_window.data();
    Transaction tx(store);
    DbResult r = tx.status();
    for (const char* table :
         {"RSLMaster", "RSLCategorybudget", "RSLCategorybudget3", "RSLVehicles", "RSLVehiclesused"})
        if (r)
            r = store.execute(QString::fromLatin1(table),
                              QStringLiteral("DELETE FROM \"%1\"").arg(QString::fromLatin1(table)));
    if (r)
        r = tx.commit();
    if (!r) {
        toolkit.inform(r.message());
        return;
    }
    m_window.closeWindow(WindowId::Projects);
    m_window.enterDatabase();
}
