#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QDialog;
class QWidget;

// Everything the windows need from the desktop that a test must control:
// message boxes, the file chooser, starting programs, opening web pages, the
// beep and showing a dialog modally. The program uses DesktopToolkit; tests use
// a scripted double that records every message and answers from a queue.
class Toolkit {
public:
    enum class Answer { Ok, Yes, No };

    virtual ~Toolkit() = default;

    static QString applicationTitle() { return QStringLiteral("Rastrel"); }

    // A message with an OK button only.
    virtual void inform(const QString& text, const QString& title = applicationTitle()) = 0;
    // Yes and No; `defaultYes` chooses the default button.
    virtual Answer askYesNo(const QString& text, const QString& title, bool defaultYes = true) = 0;
    // Yes, No and Help (the questions about losing unsaved input). Help shows
    // the help book and asks again, so the answer is Yes or No.
    virtual Answer askYesNoHelp(const QString& text, const QString& title) = 0;

    // The file chooser; "" when the user cancelled.
    virtual QString chooseFile(QWidget* parent, const QString& title, const QString& filter,
                               const QString& initialPath) = 0;
    // The save chooser (export to PDF or PNG); "" when the user cancelled.
    virtual QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& suggestedPath) = 0;
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    virtual bool programAvailable(const QString& program) = 0;
    virtual bool openInDesktopBrowser(const QUrl& url) = 0;
    // Opens a file in the desktop's own program for its type.
    virtual bool openDocument(const QString& path) {
        return openInDesktopBrowser(QUrl::fromLocalFile(path));
    }
    virtual void beep() = 0;
    // Shows a dialog modally. Callers never rely on it blocking: whatever must
    // happen when the dialog ends is done by the dialog itself, so a test can
    // show it without a nested event loop and drive it.
    virtual void runModal(QDialog* dialog) = 0;

    // What the Help button of a question does.
    void setHelpHandler(std::function<void()> handler) { m_help = std::move(handler); }

protected:
    void showHelp() const {
        if (m_help)
            m_help();
    }

private:
    std::function<void()> m_help;
};
