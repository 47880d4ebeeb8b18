#include "StoreTest.h"

void StoreTest::init() {
    m_store.reset();
    m_db = std::make_unique<TestDatabase>();
    m_store = m_db->open();
}

void StoreTest::cleanup() {
    m_store.reset();
    m_db.reset();
}
