#include "ScriptedToolkit.h"

#include "DataStore.h"

#include <QDialog>
#include <QTest>

QStringList ScriptedToolkit::texts() const {
    QStringList out;
    for (const Message& m : m_messages)
        out << m.text;
    return out;
}

// A message waiting for the user while a write transaction holds the file
// locks everyone else out for as long as the user takes.
static void checkNoTransaction(const QString& text) {
    if (DataStore::transactionsOpen() > 0)
        QTest::qFail(qPrintable(QStringLiteral("Message shown inside a transaction: ") + text),
                     __FILE__, __LINE__);
}

void ScriptedToolkit::inform(const QString& text, const QString& title) {
    checkNoTransaction(text);
    m_messages.append({Kind::Inform, text, title});
}

Toolkit::Answer ScriptedToolkit::next(const QString& text) {
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("Unexpected question: ") + text), __FILE__,
                     __LINE__);
        return Answer::No;
    }
    return m_answers.dequeue();
}

Toolkit::Answer ScriptedToolkit::askYesNo(const QString& text, const QString& title,
                                          bool defaultYes) {
    checkNoTransaction(text);
    m_messages.append({Kind::YesNo, text, title, defaultYes});
    return next(text);
}

Toolkit::Answer ScriptedToolkit::askYesNoHelp(const QString& text, const QString& title) {
    checkNoTransaction(text);
    m_messages.append({Kind::YesNoHelp, text, title});
    return next(text);
}

QString ScriptedToolkit::chooser(const QString& title, const QString& filter,
                                 const QString& startPath) {
    checkNoTransaction(title);
    m_chooserTitles << title;
    m_chooserFilters << filter;
    m_chooserInitial << startPath;
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedToolkit::chooseFile(QWidget*, const QString& title, const QString& filter,
                                    const QString& initialPath) {
    return chooser(title, filter, initialPath);
}

QString ScriptedToolkit::chooseSaveFile(QWidget*, const QString& title, const QString& filter,
                                        const QString& suggestedPath) {
    return chooser(title, filter, suggestedPath);
}

bool ScriptedToolkit::startProgram(const QString& program, const QStringList& arguments) {
    m_started.append(QStringList{program} + arguments);
    return availablePrograms.contains(program);
}

bool ScriptedToolkit::programAvailable(const QString& program) {
    return availablePrograms.contains(program);
}

bool ScriptedToolkit::openInDesktopBrowser(const QUrl& url) {
    m_opened.append(url);
    return true;
}

void ScriptedToolkit::runModal(QDialog* dialog) {
    checkNoTransaction(dialog->windowTitle());
    m_modals.append(dialog);
    dialog->show();
}
