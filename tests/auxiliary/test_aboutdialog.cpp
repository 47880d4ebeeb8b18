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
    void theFirstInstalledSystemInfoToolIsStartedOrTheUserTold();
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

void TestAboutDialog::theFirstInstalledSystemInfoToolIsStartedOrTheUserTold() {
    TestShell shell;
    QPointer<AboutDialog> d = new AboutDialog(shell, &shell.frame);
    shell.scripted.runModal(d);
    auto* button = d->findChild<QPushButton*>("cmdSysInfo");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(shell.scripted.texts(), QStringList{"System Information Is Unavailable At This Time"});
    QVERIFY(shell.scripted.startedPrograms().isEmpty());
    QVERIFY(d && d->isVisible());
    // Two installed: the earlier in the list wins.
    const QStringList known = AboutDialog::systemInfoPrograms();
    QVERIFY(known.size() >= 3);
    shell.scripted.availablePrograms = {known.last(), known[1]};
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(shell.scripted.startedPrograms(), QList<QStringList>{QStringList{known[1]}});
    QCOMPARE(shell.scripted.texts().size(), 1);
}

QTEST_MAIN(TestAboutDialog)
#include "test_aboutdialog.moc"
