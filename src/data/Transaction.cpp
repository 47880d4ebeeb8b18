#include "Transaction.h"

#include "DataStore.h"

Transaction::Transaction(DataStore& store)
    : m_store(store)
    , m_status(store.beginTransaction()) {
    m_open = m_status.ok();
}

Transaction::~Transaction() {
    if (m_open)
        m_store.rollbackTransaction();
}

DbResult Transaction::commit() {
    if (!m_open)
        return m_status.ok()
                   ? DbResult::failure(DbErrorKind::Other,
                                       QStringLiteral("The transaction was already ended."))
                   : m_status;
    m_open = false;
    return m_store.commitTransaction();
}
