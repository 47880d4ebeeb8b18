#include "CsvReader.h"
#include "CsvWriter.h"
#include "DataTable.h"

#include <QTest>

class TestCsvWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellsAreSafeAndQuoted_data();
    void cellsAreSafeAndQuoted();
    void fileHasBomAndCrlf();
    void everyTextReadsBackUnchanged();
};

void TestCsvWriter::cellsAreSafeAndQuoted_data() {
    DataTable::columns<QString, QString>("text", "cell");
    const char* const rows[][3] = {
        {"plain", "OIL PUMP", "OIL PUMP"},
        {"empty", "", ""},
        {"comma", "5.0, V8", "\"5.0, V8\""},
        {"semicolon", "a;b", "\"a;b\""},
        {"quotes", "14\" WHEEL", "\"14\"\" WHEEL\""},
        {"line break", "one\ntwo", "\"one\ntwo\""},
        {"formula", "=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"plus", "+1 555", "'+1 555"},
        {"minus", "-FLAT-", "'-FLAT-"},
        {"at", "@SUM(A1)", "'@SUM(A1)"},
        {"tab", "\tx", "\"'\tx\""},
        {"carriage return", "\rx", "\"'\rx\""},
        {"leading apostrophe", "'=x", "''=x"},
        {"formula later", "A=B", "A=B"},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
}

void TestCsvWriter::cellsAreSafeAndQuoted() {
    QFETCH(QString, text);
    QTEST(CsvWriter::cell(text), "cell");
}

void TestCsvWriter::fileHasBomAndCrlf() {
    CsvWriter w;
    w.addRow({"Part Name", "Price"});
    w.addRawRow({CsvWriter::cell("BRAKE"), CsvWriter::number("-5.25")});
    QCOMPARE(w.bytes(), QByteArray("\xEF\xBB\xBFPart Name,Price\r\nBRAKE,-5.25\r\n"));
    QCOMPARE(w.rowCount(), 2);
}

void TestCsvWriter::everyTextReadsBackUnchanged() {
    const QStringList texts = {"=1+1",  "'", "''", "-",      "'-x", "a,\"b\"\r\nc",
                               "ÄÖÜ €", "@", "",   "  pad ", "x'y", "\t"};
    CsvWriter w;
    w.addRow({"h"});
    for (const QString& t : texts)
        w.addRow({t});
    const CsvReader::Table table = CsvReader::parse(w.bytes());
    QVERIFY(table.problems.isEmpty());
    QStringList back;
    for (const auto& r : table.records)
        back << CsvWriter::restore(r.fields.value(0));
    QStringList expected = texts;
    expected.removeAll(QString()); // an empty line is no row
    QCOMPARE(back, expected);
}

QTEST_GUILESS_MAIN(TestCsvWriter)
#include "test_csvwriter.moc"
