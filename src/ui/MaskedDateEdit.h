#pragma once

#include <QLineEdit>

// The purchase-date field: typed through the mask "99/99/9999" (month, day,
// year). value() is "" while no digit has been typed.
class MaskedDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedDateEdit(QWidget* parent = nullptr);

    QString value() const;
    void setValue(const QString& text);

Q_SIGNALS:
    void valueChanged(const QString& value);
};
