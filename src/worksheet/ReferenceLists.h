#pragma once

#include "DbResult.h"

#include <QString>
#include <QStringList>

class DataStore;

// The reference lists the entry panels and filter lists offer, and the
// category lookup of the parts catalogue. Read straight from the tables, so
// a filter that another window left on a shared record set cannot hide names.
// Reading ignores errors: a list that cannot be read is empty.
class ReferenceLists {
public:
    explicit ReferenceLists(DataStore& store)
        : m_store(store) {}

    // Each in alphabetical order, without empty names.
    QStringList partNames() const;
    QStringList manufacturers() const;
    QStringList vendors() const;
    QStringList categories() const;

    // getcategory: the catalogue's category of the part name, looked up in
    // upper case; "" for a name the catalogue does not hold. A failed read
    // sets `error`, so that it is not taken for "no such part".
    QString categoryOf(const QString& partName, DbResult* error = nullptr) const;

private:
    QStringList column(const QString& table, const QString& column) const;
    DataStore& m_store;
};
