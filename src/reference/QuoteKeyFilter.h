#pragma once

#include <QObject>

#include <functional>

// Swallows the apostrophe and double-quote keys of the fields it watches and
// beeps instead.
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
