#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// One thing wrong with a file being imported, where it is: the row as a
// spreadsheet numbers it (the header is row 1) and the column's header name.
struct CsvProblem {
    int row = 0;     // 0: the file as a whole
    QString column;  // "" when the whole row is meant
    QString message; // what is wrong, as a sentence
    QString text() const;
};

// Reads CSV text as spreadsheets write it (RFC 4180 quoting, any of CRLF, LF
// or CR line ends, an optional byte order mark) into a header and records.
// Whatever cannot be read is reported as a problem with its row and column;
// reading goes on past it where it can, so the user sees every problem at once.
class CsvReader {
public:
    struct Record {
        int row = 0; // as the spreadsheet numbers it
        QStringList fields;
    };
    struct Table {
        QChar separator;
        QStringList header;
        QList<Record> records;
        QList<CsvProblem> problems;
    };

    // Some two hundred thousand part lines: more than any project holds, and
    // a larger file would keep the user waiting on the checks for minutes.
    static constexpr qint64 kMaxFileBytes = 32LL * 1024 * 1024;

    // The separator the header line uses most: comma, semicolon or tab.
    static QChar detectSeparator(const QString& text);
    // `separator` null: detect it from the header line.
    static Table parse(const QByteArray& bytes, QChar separator = QChar());
    static Table readFile(const QString& path, QChar separator = QChar());

    // A column's name for messages: its header, or "column N" when it has none.
    static QString columnName(const QStringList& header, int index);
};
