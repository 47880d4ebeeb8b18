#include "CsvWriter.h"

namespace {

bool triggersFormula(QChar c) {
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r' ||
           c == u'\'';
}

QString quoted(const QString& text) {
    const bool needsQuotes = text.contains(u',') || text.contains(u'"') || text.contains(u'\n') ||
                             text.contains(u'\r') || text.contains(u';') || text.contains(u'\t');
    if (!needsQuotes)
        return text;
    QString out = text;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

} // namespace

CsvWriter::CsvWriter() {
    m_bytes = QByteArray("\xEF\xBB\xBF");
}

QString CsvWriter::defuse(const QString& text) {
    if (!text.isEmpty() && triggersFormula(text.front()))
        return u'\'' + text;
    return text;
}

QString CsvWriter::restore(const QString& text) {
    if (text.size() >= 2 && text.front() == u'\'' && triggersFormula(text.at(1)))
        return text.mid(1);
    return text;
}

QString CsvWriter::cell(const QString& text) {
    return quoted(defuse(text));
}

void CsvWriter::addRow(const QStringList& cells) {
    QStringList safe;
    safe.reserve(cells.size());
    for (const QString& c : cells)
        safe << cell(c);
    addRawRow(safe);
}

void CsvWriter::addRawRow(const QStringList& cells) {
    // One line buffer for every row, so a large export does not allocate per row.
    m_line.resize(0);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            m_line += u',';
        m_line += cells[i];
    }
    m_line += QStringLiteral("\r\n");
    m_bytes += m_line.toUtf8();
    ++m_rows;
}
