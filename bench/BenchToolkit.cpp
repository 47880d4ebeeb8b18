#include "BenchToolkit.h"

#include <QDialog>

void BenchToolkit::inform(const QString& text, const QString&) {
    messages << text;
}

Toolkit::Answer BenchToolkit::askYesNo(const QString&, const QString&, bool) {
    return Answer::Yes;
}

Toolkit::Answer BenchToolkit::askYesNoHelp(const QString&, const QString&) {
    return Answer::Yes;
}

QString BenchToolkit::chooseFile(QWidget*, const QString&, const QString&, const QString&) {
    return {};
}

QString BenchToolkit::chooseSaveFile(QWidget*, const QString&, const QString&, const QString&) {
    return savePath;
}

bool BenchToolkit::startProgram(const QString&, const QStringList&) {
    return false;
}

bool BenchToolkit::programAvailable(const QString&) {
    return false;
}

bool BenchToolkit::openInDesktopBrowser(const QUrl&) {
    return false;
}

void BenchToolkit::runModal(QDialog* dialog) {
    dialog->show();
}
