#pragma once

#include "Toolkit.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QUrl>

class QDialog;

// The test double of the desktop: records every message box, answers
// questions from a queue, returns scripted file names and never blocks. A
// question that no test queued an answer for is recorded as a failure of the
// running test (and answered No) instead of hanging.
class ScriptedToolkit : public Toolkit {
public:
    enum class Kind { Inform, YesNo, YesNoHelp };
    struct Message {
        Kind kind;
        QString text;
        QString title;
        bool defaultYes = true;
    };

    void queueAnswer(Answer a) { m_answers.enqueue(a); }
    void queueYes() { queueAnswer(Answer::Yes); }
    void queueNo() { queueAnswer(Answer::No); }
    // Answers for the next open or save chooser, in order ("" = cancelled).
    void queueFile(const QString& path) { m_files.enqueue(path); }
    int pendingAnswers() const { return int(m_answers.size()); }

    const QList<Message>& messages() const { return m_messages; }
    QStringList texts() const;
    QString lastText() const { return m_messages.isEmpty() ? QString() : m_messages.last().text; }
    void clear() {
        m_messages.clear();
        m_started.clear();
        m_opened.clear();
        m_beeps = 0;
        m_modals.clear();
    }

    int beeps() const { return m_beeps; }
    const QList<QStringList>& startedPrograms() const { return m_started; }
    const QList<QUrl>& openedUrls() const { return m_opened; }
    const QList<QDialog*>& modalDialogs() const { return m_modals; }
    QStringList chooserTitles() const { return m_chooserTitles; }
    QStringList chooserFilters() const { return m_chooserFilters; }
    QStringList chooserInitialPaths() const { return m_chooserInitial; }
    QStringList availablePrograms;

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
    void beep() override { ++m_beeps; }
    void runModal(QDialog* dialog) override;

private:
    Answer next(const QString& text);
    QString chooser(const QString& title, const QString& filter, const QString& startPath);

    QList<Message> m_messages;
    QQueue<Answer> m_answers;
    QQueue<QString> m_files;
    QStringList m_chooserTitles, m_chooserFilters, m_chooserInitial;
    QList<QStringList> m_started;
    QList<QUrl> m_opened;
    QList<QDialog*> m_modals;
    int m_beeps = 0;
};
