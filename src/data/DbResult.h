#pragma once

#include <QString>

enum class DbErrorKind {
    None,
    NotOpen,     // no database could be opened
    DiskFull,    // the disk or file system is full
    ReadOnly,    // the file or folder cannot be written
    Locked,      // another program holds a lock on the file
    BadCriteria, // a filter, sort or find text that cannot be understood
    NoCurrentRow,
    Overflow, // a value outside the range of its column
    Other,
};

// The outcome of a data-store operation. Nodiscard, so that a write whose
// failure is not looked at stands out; the few places where the program goes
// on regardless say so with ignoreError().
class [[nodiscard]] DbResult {
public:
    DbResult() = default;
    static DbResult success() { return {}; }
    static DbResult failure(DbErrorKind kind, QString message) {
        DbResult r;
        r.m_kind = kind;
        r.m_message = std::move(message);
        return r;
    }

    bool ok() const { return m_kind == DbErrorKind::None; }
    explicit operator bool() const { return ok(); }
    DbErrorKind kind() const { return m_kind; }
    // A sentence fit for a message box.
    const QString& message() const { return m_message; }

private:
    DbErrorKind m_kind = DbErrorKind::None;
    QString m_message;
};

// Marks the steps that run "with errors ignored": the program goes on with the
// next step when this one fails. Nothing else discards a DbResult.
inline void ignoreError(const DbResult&) {}
