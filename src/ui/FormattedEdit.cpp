#include "FormattedEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QSignalBlocker>

FormattedEdit::FormattedEdit(QWidget* parent)
    : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (!m_showingRaw)
            return;
        m_raw = t;
        Q_EMIT rawTextChanged(m_raw);
    });
    showFormatted();
}

void FormattedEdit::setFormatter(Formatter formatter) {
    m_formatter = std::move(formatter);
    if (!m_showingRaw)
        showFormatted();
}

void FormattedEdit::setMaxRawLength(int length) {
    m_maxRaw = length;
    if (m_showingRaw)
        setMaxLength(m_maxRaw > 0 ? m_maxRaw : 32767);
}

void FormattedEdit::setRawText(const QString& text) {
    m_raw = text;
    if (m_showingRaw) {
        const QSignalBlocker block(this);
        setText(m_raw);
    } else {
        showFormatted();
    }
    Q_EMIT rawTextChanged(m_raw);
}

void FormattedEdit::showRaw() {
    m_showingRaw = true;
    const QSignalBlocker block(this);
    setMaxLength(m_maxRaw > 0 ? m_maxRaw : 32767);
    setText(m_raw);
}

void FormattedEdit::showFormatted() {
    m_showingRaw = false;
    const QSignalBlocker block(this);
    setMaxLength(32767);
    setText(m_formatter ? m_formatter(m_raw) : m_raw);
    setCursorPosition(0);
}

void FormattedEdit::focusInEvent(QFocusEvent* event) {
    if (!m_showingRaw) {
        showRaw();
        selectAll();
    }
    QLineEdit::focusInEvent(event);
    Q_EMIT focusEntered();
}

void FormattedEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        showFormatted();
    Q_EMIT focusLeft();
}

void FormattedEdit::keyPressEvent(QKeyEvent* event) {
    // Keys can arrive without focus (accessibility tools, tests): edit the raw text then too.
    if (!m_showingRaw) {
        showRaw();
        end(false);
    }
    QLineEdit::keyPressEvent(event);
}
