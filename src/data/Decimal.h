#pragma once

#include <QString>

#include <optional>

// An exact decimal number read out of a field's text. Amounts typed by the
// user are converted through this type so that rounding to money happens on
// the decimal digits the user typed, never on a binary approximation.
class Decimal {
public:
    Decimal() = default;

    // The leading-number rule: the value of a text is its longest beginning
    // that reads as a decimal number (spaces ignored, optional sign, digits
    // with at most one period, optional exponent); 0 when there is none.
    static Decimal leading(const QString& text);
    // The part of the text the leading-number rule consumed, without spaces
    // ("" when nothing was read).
    static QString leadingText(const QString& text);

    static Decimal fromUnits(qint64 units, int scale);

    bool isZero() const { return m_mantissa == 0; }
    bool isNegative() const { return m_mantissa < 0; }
    bool isValid() const { return m_valid; }

    double toDouble() const;
    // Rounds to `scale` decimals, ties to the even neighbour; empty when the
    // result does not fit a signed 64-bit integer.
    std::optional<qint64> roundedUnits(int scale) const;
    // Exact decimal text without trailing zeros ("0.3582", "12", "-0.5").
    QString toText() const;

    Decimal operator+(const Decimal& other) const;
    Decimal operator*(const Decimal& other) const;
    Decimal shifted(int decimalPlaces) const; // multiplies by 10^-decimalPlaces

private:
    using Int = __int128;
    Decimal(Int mantissa, int scale, bool sticky, bool valid);
    void normalise();

    Int m_mantissa = 0; // value = mantissa * 10^-scale
    int m_scale = 0;
    bool m_sticky = false; // digits beyond our precision were dropped and were not all zero
    bool m_valid = true;   // false after an overflow
};
