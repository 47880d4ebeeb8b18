#pragma once

#include "Toolkit.h"

#include <QStringList>

// Answers every question with Yes and shows nothing, so that the windows run
// unattended; the save chooser names the file the benchmark wants written.
class BenchToolkit : public Toolkit {
public:
    void inform(const QString& text, const QString& title = applicationTitle()) override;
    Answer askYesNo(const QString& text, const QString& title, bool defaultYes = true) override;
    Answer askYesNoHelp(const QString& text, const QString& title) override;
    QString chooseFile(QWidget* parent, const QString& title, const QString& filter,
                       const QString& initialPath) override;
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                           const QString& suggestedPath) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool programAvailable(const QString& program) override;
    bool openInDesktopBrowser(const QUrl& url) override;
    void beep() override {}
    void runModal(QDialog* dialog) override;

    QString savePath;
    QStringList messages;
};
