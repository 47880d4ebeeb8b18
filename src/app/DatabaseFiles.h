#pragma once

#include <QString>

class MainWindow;

// The File menu's commands on whole database files: back up, restore from a
// backup, open another file, make a new one, the recent files, and the
// automatic backup when a changed file is left.
class DatabaseFiles {
public:
    explicit DatabaseFiles(MainWindow& window);

    void backUp();
    void restore();
    void openDatabase();
    void newDatabase();
    // Opens a file of the recent list (or any existing file); a file that has
    // gone is dropped from the list with a message.
    void openFile(const QString& file);
    // Into the backups folder beside the file, when the setting allows and
    // something was changed since the file was opened.
    void automaticBackup();
    // Whether start-up may open this file: an existing one, or a missing one
    // where the user agrees to a new database (`createFreely` on the default path).
    bool mayOpenAtStart(const QString& file, bool createFreely);

    static const QString kFilter;

private:
    // Leaves the current file and opens `file`; the previous file again when
    // `file` cannot be opened.
    bool switchTo(const QString& file);

    MainWindow& m_window;
};
