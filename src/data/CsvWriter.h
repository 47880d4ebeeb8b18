#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Builds a CSV file the way spreadsheets read it best: UTF-8 with a byte
// order mark, comma separators, CRLF line ends, fields quoted only when they
// need it. Text cells that a spreadsheet would run as a formula are written
// so that it shows them as text instead.
class CsvWriter {
public:
    CsvWriter();

    // A row of text cells, each made formula-safe and quoted as needed.
    void addRow(const QStringList& cells);
    // A row whose cells are already safe (see cell()).
    void addRawRow(const QStringList& cells);

    // A text cell: safe and quoted. Numbers written by the program (money,
    // quantities) go through number() instead, since "-5.25" is no formula.
    static QString cell(const QString& text);
    static QString number(const QString& plainDecimal) { return plainDecimal; }
    // The text as a spreadsheet must show it: an apostrophe goes before a
    // leading =, +, -, @, tab, carriage return or apostrophe.
    static QString defuse(const QString& text);
    // The reverse of defuse(), for reading our own files back.
    static QString restore(const QString& text);

    const QByteArray& bytes() const { return m_bytes; }
    int rowCount() const { return m_rows; }

private:
    QByteArray m_bytes;
    QString m_line;
    int m_rows = 0;
};
