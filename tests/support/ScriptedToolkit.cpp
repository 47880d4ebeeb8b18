#include "ScriptedToolkit.h"

#include <QDialog>
#include <QTest>

QStringList ScriptedToolkit::texts() const {
    QStringList out;
    for (const Message& m : m_messages)
        out << m.text;
    return out;
}

void ScriptedToolkit::inform(const QString& text, const QString& title) {
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
    m_messages.append({Kind::YesNo, text, title, defaultYes});
    return next(text);
}

Toolkit::Answer ScriptedToolkit::askYesNoHelp(const QString& text, const QString& title) {
    m_messages.append({Kind::YesNoHelp, text, title});
    return next(text);
}

QString ScriptedToolkit::chooseFile(QWidget*, const QString& title, const QString& filter,
                                    const QString& initialPath) {
    m_chooserTitles << title;
    m_chooserFilters << filter;
    m_chooserInitial << initialPath;
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedToolkit::chooseSaveFile(QWidget*, const QString& title, const QString& filter,
                                        const QString& suggestedPath) {
    m_chooserTitles << title;
    m_chooserFilters << filter;
    m_chooserInitial << suggestedPath;
    return m_files.isEmpty() ? QString() : m_files.dequeue();
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
    m_modals.append(dialog);
    dialog->show();
}
