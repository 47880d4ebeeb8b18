#pragma once

#include "Toolkit.h"

#include <QDialog>

// A desktop nobody sits at (the benchmark): every question is answered Yes,
// messages and choosers show nothing, no program or page is opened and a
// modal dialog is only shown, so whatever drives the windows is never held up.
class UnattendedToolkit final : public Toolkit {
public:
    void inform(const QString&, const QString& = applicationTitle()) override {}
    Answer askYesNo(const QString&, const QString&, bool = true) override { return Answer::Yes; }
    Answer askYesNoHelp(const QString&, const QString&) override { return Answer::Yes; }
    QString chooseFile(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString chooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    bool startProgram(const QString&, const QStringList&) override { return false; }
    bool programAvailable(const QString&) override { return false; }
    bool openInDesktopBrowser(const QUrl&) override { return false; }
    void beep() override {}
    void runModal(QDialog* dialog) override { dialog->show(); }
};
