#include "AboutDialog.h"
#include "TestShell.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

class TestAboutDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }

    void versionIsTheProgramsUnlessTheSettingSaysOtherwise();
    void withoutASystemInfoToolTheMessageAppearsAndTheBoxStays();
    void firstInstalledToolIsStarted();
};

void TestAboutDialog::versionIsTheProgramsUnlessTheSettingSaysOtherwise() {
    TestShell shell;
    auto* d = new AboutDialog(shell, &shell.frame);
    shell.scripted.runModal(d);
    const QString shown = d->findChild<QLabel*>("Label2")->text();
    QVERIFY(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(shown).hasMatch());
    shell.settings().setValue(Settings::kVersion, "1.0.1 (build 7)");
    auto* again = new AboutDialog(shell, &shell.frame);
    QCOMPARE(again->findChild<QLabel*>("Label2")->text(), QStringLiteral("1.0.1 (build 7)"));
    delete again;
}

void TestAboutDialog::withoutASystemInfoToolTheMessageAppearsAndTheBoxStays() {
    TestShell shell;
    QPointer<AboutDialog> d = new AboutDialog(shell, &shell.frame);
    shell.scripted.runModal(d);
    QTest::mouseClick(d->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(shell.scripted.texts(), QStringList{"System Information Is Unavailable At This Time"});
    QVERIFY(shell.scripted.startedPrograms().isEmpty());
    QVERIFY(d && d->isVisible());
}

void TestAboutDialog::firstInstalledToolIsStarted() {
    TestShell shell;
    QCOMPARE(AboutDialog::systemInfoProgram(shell.scripted), QString());
    const QStringList known = AboutDialog::systemInfoPrograms();
    QVERIFY(known.size() >= 3);
    // Two installed: the earlier in the list wins.
    shell.scripted.availablePrograms = {known.last(), known[1]};
    auto* d = new AboutDialog(shell, &shell.frame);
    shell.scripted.runModal(d);
    QTest::mouseClick(d->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(shell.scripted.startedPrograms(), QList<QStringList>{QStringList{known[1]}});
    QVERIFY(shell.scripted.messages().isEmpty());
}

QTEST_MAIN(TestAboutDialog)
#include "test_aboutdialog.moc"
