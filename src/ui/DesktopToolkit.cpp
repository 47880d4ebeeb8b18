#include "DesktopToolkit.h"

#include "BusyCursor.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

} // namespace

void DesktopToolkit::inform(const QString& text, const QString& title) {
    BusyCursor::Suspend arrow;
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, dialogParent());
    box.exec();
}

Toolkit::Answer DesktopToolkit::askYesNo(const QString& text, const QString& title,
                                         bool defaultYes) {
    BusyCursor::Suspend arrow;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Toolkit::Answer DesktopToolkit::askYesNoHelp(const QString& text, const QString& title) {
    BusyCursor::Suspend arrow;
    for (;;) {
        QMessageBox box(QMessageBox::Question, title, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Help, dialogParent());
        box.setDefaultButton(QMessageBox::Yes);
        const int answer = box.exec();
        if (answer == QMessageBox::Help) {
            showHelp();
            continue;
        }
        return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
}

QString DesktopToolkit::chooseFile(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& initialPath) {
    BusyCursor::Suspend arrow;
    return QFileDialog::getOpenFileName(parent, title, initialPath, filter);
}

QString DesktopToolkit::chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& suggestedPath) {
    BusyCursor::Suspend arrow;
    return QFileDialog::getSaveFileName(parent, title, suggestedPath, filter);
}

bool DesktopToolkit::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool DesktopToolkit::programAvailable(const QString& program) {
    return !QStandardPaths::findExecutable(program).isEmpty();
}

bool DesktopToolkit::openInDesktopBrowser(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void DesktopToolkit::beep() {
    QApplication::beep();
}

void DesktopToolkit::runModal(QDialog* dialog) {
    BusyCursor::Suspend arrow;
    dialog->exec();
}
