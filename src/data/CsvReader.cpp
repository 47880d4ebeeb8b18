#include "CsvReader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QString CsvProblem::text() const {
    if (row == 0)
        return message;
    if (column.isEmpty())
        return QStringLiteral("Row %1: %2").arg(row).arg(message);
    return QStringLiteral("Row %1, column \"%2\": %3").arg(row).arg(column, message);
}

QString CsvReader::columnName(const QStringList& header, int index) {
    if (index >= 0 && index < header.size() && !header[index].trimmed().isEmpty())
        return header[index].trimmed();
    return QStringLiteral("column %1").arg(index + 1);
}

QChar CsvReader::detectSeparator(const QString& text) {
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\n' || c == u'\r')
            break;
        else if (c == u',')
            ++commas;
        else if (c == u';')
            ++semicolons;
        else if (c == u'\t')
            ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs)
        return u';';
    if (tabs > commas && tabs > semicolons)
        return u'\t';
    return u',';
}

CsvReader::Table CsvReader::parse(const QByteArray& bytes, QChar separator) {
    Table table;
    QByteArrayView data(bytes);
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    auto decode = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decode(data);
    const bool badEncoding = decode.hasError();

    if (text.trimmed().isEmpty()) {
        table.problems.append({0, {}, QStringLiteral("The file is empty.")});
        return table;
    }
    table.separator = separator.isNull() ? detectSeparator(text) : separator;
    const QChar sep = table.separator;

    QList<Record> all;
    Record current{1, {}};
    QString field;
    bool inQuotes = false;
    bool fieldWasQuoted = false;
    int row = 1;
    int quoteRow = 0;
    int quoteField = 0;
    const qsizetype n = text.size();
    auto endField = [&] {
        current.fields.append(field);
        field.clear();
        fieldWasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        // A blank line is no record.
        if (!(current.fields.size() == 1 && current.fields.front().isEmpty()))
            all.append(std::move(current));
        current = Record{++row, {}};
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == sep) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            endRecord();
        } else if (c == u'"' && field.isEmpty() && !fieldWasQuoted) {
            inQuotes = true;
            fieldWasQuoted = true;
            quoteRow = current.row;
            quoteField = int(current.fields.size());
        } else {
            // Text after a closing quote, or a quote inside an unquoted
            // value: kept as it stands, as spreadsheets do.
            field += c;
        }
    }
    if (!field.isEmpty() || !current.fields.isEmpty())
        endRecord();

    if (all.isEmpty()) {
        table.problems.append({0, {}, QStringLiteral("The file is empty.")});
        return table;
    }
    table.header = all.takeFirst().fields;
    for (QString& h : table.header)
        h = h.trimmed();
    table.records = std::move(all);

    if (inQuotes) {
        // Everything after the opening quote was swallowed into one value.
        table.problems.append(
            {quoteRow, quoteRow == 1 ? QString() : columnName(table.header, quoteField),
             QStringLiteral("a quoted value is not closed: a quotation mark is missing.")});
    }

    if (badEncoding) {
        // The decoder put U+FFFD where the bytes were not UTF-8.
        const QChar bad(0xFFFD);
        bool found = false;
        for (int h = 0; h < table.header.size() && !found; ++h)
            if (table.header[h].contains(bad)) {
                table.problems.append({1, columnName(table.header, h),
                                       QStringLiteral("the text is not UTF-8. Save the file "
                                                      "as \"CSV UTF-8\" and try again.")});
                found = true;
            }
        for (const Record& r : std::as_const(table.records)) {
            if (found)
                break;
            for (int f = 0; f < r.fields.size(); ++f)
                if (r.fields[f].contains(bad)) {
                    table.problems.append({r.row, columnName(table.header, f),
                                           QStringLiteral("the text is not UTF-8. Save the file "
                                                          "as \"CSV UTF-8\" and try again.")});
                    found = true;
                    break;
                }
        }
        if (!found)
            table.problems.append({0, {}, QStringLiteral("The file is not UTF-8 text.")});
    }
    return table;
}

CsvReader::Table CsvReader::readFile(const QString& path, QChar separator) {
    QFile file(path);
    const QString shown = QFileInfo(path).absoluteFilePath();
    if (!file.open(QIODevice::ReadOnly)) {
        Table t;
        t.problems.append(
            {0,
             {},
             QStringLiteral("The file \"%1\" cannot be read: %2").arg(shown, file.errorString())});
        return t;
    }
    if (file.size() > kMaxFileBytes) {
        Table t;
        t.problems.append({0,
                           {},
                           QStringLiteral("The file \"%1\" is too large to import (over %2 MB). "
                                          "Split it into smaller files and import each.")
                               .arg(shown)
                               .arg(kMaxFileBytes / (1024 * 1024))});
        return t;
    }
    return parse(file.readAll(), separator);
}
