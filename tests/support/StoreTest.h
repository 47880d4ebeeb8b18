#pragma once

#include "DataStore.h"
#include "Fixtures.h"
#include "TestDatabase.h"

#include <QObject>

#include <memory>

// The base of the tests that work on the data store without a window: each
// test function gets a fresh database with the starter data. A test class
// that needs more set-up declares its own init() and calls this one first.
class StoreTest : public QObject {
    Q_OBJECT
protected Q_SLOTS:
    void initTestCase() { isolateTestEnvironment(); }
    void init();
    void cleanup();

protected:
    void exec(const QString& table, const QString& sql, const QVariantList& binds = {}) {
        Fixtures::exec(*m_store, table, sql, binds);
    }
    int count(const QString& sql) { return Fixtures::count(*m_store, sql); }
    // Read on a connection of its own: what is in the file, not what the store holds.
    QVariant inFile(const QString& sql) const {
        return TestDatabase::scalar(m_db->databasePath(), sql);
    }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DataStore> m_store;
};
