#pragma once

#include "DbResult.h"

class DataStore;

// One database transaction for the lifetime of the object: begun when it is
// made, rolled back when it goes out of scope without commit(). Nested guards
// become savepoints, so a procedure that uses one can be called from another
// that already holds one. A rollback also puts the record sets back as they
// were, so held batch changes (a budget being typed in) are not lost.
class Transaction {
public:
    explicit Transaction(DataStore& store);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Whether the transaction could be begun.
    const DbResult& status() const { return m_status; }
    DbResult commit();

private:
    DataStore& m_store;
    DbResult m_status;
    bool m_open = false;
};
