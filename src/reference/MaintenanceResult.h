#pragma once

#include "DbResult.h"

#include <QString>

// What a maintenance command came to, with the message the user is shown:
// refused (a check failed, nothing was written), done, or failed in the
// database (everything it had written was rolled back).
class MaintenanceResult {
public:
    enum class Status { Refused, Done, Failed };

    static MaintenanceResult refused(const QString& message) {
        return MaintenanceResult(Status::Refused, message);
    }
    static MaintenanceResult done(const QString& message) {
        return MaintenanceResult(Status::Done, message);
    }
    static MaintenanceResult failed(const DbResult& result) {
        return MaintenanceResult(Status::Failed, result.message());
    }

    Status status() const { return m_status; }
    bool isDone() const { return m_status == Status::Done; }
    const QString& message() const { return m_message; }

private:
    MaintenanceResult(Status status, QString message)
        : m_status(status)
        , m_message(std::move(message)) {}

    Status m_status;
    QString m_message;
};
