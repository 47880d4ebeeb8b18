#include "FormattedEdit.h"
#include "MaskedDateEdit.h"

#include <QSignalSpy>
#include <QTest>

namespace {
QString dollars(const QString& raw) {
    return '$' + raw;
}
} // namespace

class TestFormattedEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsFormatUnlessEditing();
    void typedAndProgrammaticChangesSignalAlike();
    void rawLengthLimitOnlyWhileEditing();
    void dateFieldIsEmptyUntilADigitIsTyped();
};

void TestFormattedEdit::showsFormatUnlessEditing() {
    QWidget window;
    auto* edit = new FormattedEdit(&window);
    auto* other = new QLineEdit(&window);
    edit->setFormatter(dollars);
    edit->setRawText("12.5");
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("$12.5"));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("12.5"));
    QTest::keyClicks(edit, "7");
    QCOMPARE(edit->rawText(), QStringLiteral("7")); // focus selected the text, typing replaced it
    other->setFocus();
    QTRY_COMPARE(edit->text(), QStringLiteral("$7"));
    QCOMPARE(edit->rawText(), QStringLiteral("7"));
}

void TestFormattedEdit::typedAndProgrammaticChangesSignalAlike() {
    FormattedEdit edit;
    edit.setFormatter(dollars);
    QSignalSpy changed(&edit, &FormattedEdit::rawTextChanged);
    edit.setRawText("1");
    QCOMPARE(edit.text(), QStringLiteral("$1"));
    // Typed without the focus: the raw text is edited, not the shown one.
    QTest::keyClicks(&edit, "5");
    QCOMPARE(edit.rawText(), QStringLiteral("15"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().first().toString(), QStringLiteral("15"));
}

void TestFormattedEdit::rawLengthLimitOnlyWhileEditing() {
    FormattedEdit edit;
    edit.setFormatter([](const QString& raw) -> QString { return raw + QStringLiteral(",000"); });
    edit.setMaxRawLength(5);
    edit.setRawText("12345");
    QCOMPARE(edit.text(), QStringLiteral("12345,000")); // the display may be longer
    QTest::keyClicks(&edit, "6");
    QCOMPARE(edit.rawText(), QStringLiteral("12345")); // typing may not
}

void TestFormattedEdit::dateFieldIsEmptyUntilADigitIsTyped() {
    MaskedDateEdit date;
    QCOMPARE(date.value(), QString());
    date.setValue("03/05/2001");
    date.setValue("");
    QCOMPARE(date.value(), QString());
    date.setCursorPosition(0);
    QTest::keyClicks(&date, "1130x2000");
    QCOMPARE(date.value(), QStringLiteral("11/30/2000"));
}

QTEST_MAIN(TestFormattedEdit)
#include "test_formattededit.moc"
