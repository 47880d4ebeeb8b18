#include "QuoteKeyFilter.h"

#include <QKeyEvent>

QuoteKeyFilter::QuoteKeyFilter(std::function<void()> beep, QObject* parent)
    : QObject(parent)
    , m_beep(std::move(beep)) {}

bool QuoteKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.contains(u'"')) {
            if (m_beep)
                m_beep();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
