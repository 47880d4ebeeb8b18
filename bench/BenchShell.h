#pragma once

#include "MainWindow.h"

#include <QString>

class BenchDatabase;

// What every case needs to drive the program the way a user would.
namespace BenchShell {

// Ends the run with the reason; the benchmark has no use for a half table.
[[noreturn]] void fail(const QString& why);

// Lets the posted events run and frees the windows closed meanwhile.
void settle();

// The main window's options for `path`, with the benchmark's own settings
// and lock files and no splash.
MainWindow::Options options(const BenchDatabase& db, const QString& path);

// Installs the windows, starts the shell (or fails) and shows it.
void start(MainWindow& shell);

// Opens a project the way the catalogue does, for the windows that follow.
void openProject(MainWindow& shell, int number);

} // namespace BenchShell
