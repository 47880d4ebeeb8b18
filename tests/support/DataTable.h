#pragma once

#include <QTest>

// A data table's columns in one statement, so that a table reads as its
// rows rather than as the calls that declare its columns.
namespace DataTable {

// DataTable::columns<QString, bool>("kind", "kept");
template <typename... Types, typename... Names> void columns(Names... names) {
    static_assert(sizeof...(Types) == sizeof...(Names), "one type for every column");
    (QTest::addColumn<Types>(names), ...);
}

} // namespace DataTable
