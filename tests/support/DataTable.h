#pragma once

#include <QTest>

#include <initializer_list>
#include <utility>

// A data table's columns in one statement, so that a table reads as its
// rows rather than as the calls that declare its columns.
namespace DataTable {

// DataTable::columns<QString, bool>("kind", "kept");
template <typename... Types, typename... Names> void columns(Names... names) {
    static_assert(sizeof...(Types) == sizeof...(Names), "one type for every column");
    (QTest::addColumn<Types>(names), ...);
}

// Rows of two texts, each row named after its first text:
// DataTable::namedPairs("kind", "says", {{"empty", "is empty"}, ...});
inline void namedPairs(const char* first, const char* second,
                       std::initializer_list<std::pair<const char*, const char*>> rows) {
    columns<QString, QString>(first, second);
    for (const auto& [name, text] : rows)
        QTest::newRow(name) << QString(name) << QString(text);
}

} // namespace DataTable
