#pragma once

#include <QObject>

#include <functional>

// Swallows the double-quote key of the fields it watches and beeps instead,
// as the maintenance fields always have. Apostrophes pass: names such as O'REILLY are real, and
// every value reaches the database bound or quoted, so an apostrophe can no longer end a criteria
// string early.
class QuoteKeyFilter : public QObject {
    Q_OBJECT
public:
    QuoteKeyFilter(std::function<void()> beep, QObject* parent = nullptr);

    void watch(QObject* field) { field->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_beep;
};
