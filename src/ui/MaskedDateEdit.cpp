#include "MaskedDateEdit.h"

MaskedDateEdit::MaskedDateEdit(QWidget* parent)
    : QLineEdit(parent) {
    setInputMask(QStringLiteral("99/99/9999;_"));
    connect(this, &QLineEdit::textChanged, this, [this] { Q_EMIT valueChanged(value()); });
}

QString MaskedDateEdit::value() const {
    const QString t = text();
    for (QChar c : t)
        if (c.isDigit())
            return t;
    return {};
}

void MaskedDateEdit::setValue(const QString& text) {
    if (text.isEmpty())
        clear();
    else
        setText(text);
}
