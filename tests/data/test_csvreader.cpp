#include "CsvReader.h"
#include "DataTable.h"

#include <QTest>

using Rows = QList<QStringList>;

class TestCsvReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsRecords_data();
    void readsRecords();
    void reportsWhatCannotBeRead_data();
    void reportsWhatCannotBeRead();
    void rowsAreNumberedAsSpreadsheetsShowThem();
    void largeInput();
};

void TestCsvReader::readsRecords_data() {
    DataTable::columns<QByteArray, QString, Rows>("bytes", "separator", "rows");
    const Rows simple = {{"A", "B"}, {"1", "2"}};
    QTest::newRow("lf") << QByteArray("A,B\n1,2\n") << "," << simple;
    QTest::newRow("crlf without last break") << QByteArray("A,B\r\n1,2") << "," << simple;
    QTest::newRow("old mac cr") << QByteArray("A,B\r1,2\r") << "," << simple;
    QTest::newRow("bom") << QByteArray("\xEF\xBB\xBF"
                                       "A,B\r\n1,2\r\n")
                         << "," << simple;
    QTest::newRow("semicolons detected")
        << QByteArray("A;B\n1,5;2\n") << ";" << Rows{{"A", "B"}, {"1,5", "2"}};
    QTest::newRow("tabs detected") << QByteArray("A\tB\n1\t2\n") << "\t" << simple;
    QTest::newRow("quoted separators and breaks") << QByteArray("A,B\n\"x,\"\"y\"\"\r\nz\",\"\"\n")
                                                  << "," << Rows{{"A", "B"}, {"x,\"y\"\r\nz", ""}};
    QTest::newRow("blank lines skipped") << QByteArray("A,B\n\n1,2\n\n") << "," << simple;
    QTest::newRow("empty fields kept")
        << QByteArray("A,B,C\n,,\n") << "," << Rows{{"A", "B", "C"}, {"", "", ""}};
    QTest::newRow("header trimmed") << QByteArray(" A , B\n1,2") << "," << simple;
    QTest::newRow("utf-8") << QByteArray("N\nR\xC3\xB6hm\n") << "," << Rows{{"N"}, {"Röhm"}};
}

void TestCsvReader::readsRecords() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, separator);
    const CsvReader::Table t = CsvReader::parse(bytes);
    QVERIFY2(t.problems.isEmpty(), qPrintable(t.problems.value(0).text()));
    QCOMPARE(QString(t.separator), separator);
    Rows got = {t.header};
    for (const auto& r : t.records)
        got << r.fields;
    QTEST(got, "rows");
}

void TestCsvReader::reportsWhatCannotBeRead_data() {
    DataTable::columns<QByteArray, QString>("bytes", "problem");
    QTest::newRow("empty") << QByteArray() << "The file is empty.";
    QTest::newRow("only a bom and breaks")
        << QByteArray("\xEF\xBB\xBF\r\n\r\n") << "The file is empty.";
    QTest::newRow("unclosed quote")
        << QByteArray("Part,Notes\nA,ok\nB,\"never closed\nC,x\n")
        << "Row 3, column \"Notes\": a quoted value is not closed: a quotation mark is missing.";
    QTest::newRow("latin-1 text")
        << QByteArray("Part,Vendor\nA,ok\nB,M\xFCller\n")
        << "Row 3, column \"Vendor\": the text is not UTF-8. Save the file as \"CSV UTF-8\" and "
           "try again.";
}

void TestCsvReader::reportsWhatCannotBeRead() {
    QFETCH(QByteArray, bytes);
    const CsvReader::Table t = CsvReader::parse(bytes);
    QCOMPARE(t.problems.size(), 1);
    QTEST(t.problems.front().text(), "problem");
}

void TestCsvReader::rowsAreNumberedAsSpreadsheetsShowThem() {
    // A value over three lines is still one row.
    const CsvReader::Table t = CsvReader::parse("H\n\"a\nb\nc\"\nd\n");
    QCOMPARE(t.records.size(), 2);
    QCOMPARE(t.records[0].row, 2);
    QCOMPARE(t.records[1].row, 3);
}

void TestCsvReader::largeInput() {
    // A value of a megabyte and a hundred thousand rows.
    QByteArray bytes = "A,B\n\"" + QByteArray(1 << 20, 'x') + "\",1\n";
    for (int i = 0; i < 100000; ++i)
        bytes += "r,2\n";
    const CsvReader::Table t = CsvReader::parse(bytes);
    QVERIFY(t.problems.isEmpty());
    QCOMPARE(t.records.size(), 100001);
    QCOMPARE(t.records.front().fields.front().size(), 1 << 20);
    QCOMPARE(t.records.back().row, 100002);
}

QTEST_GUILESS_MAIN(TestCsvReader)
#include "test_csvreader.moc"
