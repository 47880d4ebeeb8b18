#pragma once

#include "Money.h"

#include <QString>

#include <optional>

// The cost arithmetic of an entry panel: tax and total from quantity, price,
// shipping, the Taxable box and the tax percentage setting. Runs without any
// widget; the panel only hands over its field texts.
class CostArithmetic {
public:
    struct Input {
        QString quantity;
        QString price;
        QString shipping;
        QString taxPercentage; // the setting as stored, read by the leading-number rule
        bool taxable = false;
    };
    struct Result {
        bool ok = false; // false when a product or sum leaves the money range
        QString tax;     // exact shortest decimal text ("0.3582", "0")
        QString total;   // at most four decimals, no trailing zeros ("6.3282", "12")
        Money subtotal;
    };

    static inline const QString kTooLargeMessage = QStringLiteral(
        "The amount is too large to be calculated. Please enter a smaller quantity, price, shipping or tax amount.");

    static Result calcamount(const Input& input);

    // The quantity as the arithmetic counts it: rounded to a whole number,
    // ties to even (2.5 -> 2, 3.5 -> 4); empty when it is out of range.
    static std::optional<qint64> wholeQuantity(const QString& text);
};
