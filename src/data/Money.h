#pragma once

#include <QMetaType>
#include <QString>

#include <compare>
#include <optional>

// A money amount held as a whole number of ten-thousandths, so that sums of
// stored amounts are exact. Conversions into money round to four decimals with
// ties going to the even neighbour.
class Money {
public:
    static constexpr qint64 kUnitsPerDollar = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    // Reads a field's text by the leading-number rule; empty when the value
    // leaves the money range.
    static std::optional<Money> fromText(const QString& text);
    // For values read back from the database, which always hold at most four
    // decimals.
    static Money fromStoredDouble(double value);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / kUnitsPerDollar; }
    bool isZero() const { return m_units == 0; }

    // Plain decimal text with at most four decimals and no trailing zeros
    // ("6.3282", "12", "-0.5").
    QString toPlainText() const;

    static std::optional<Money> checkedAdd(Money a, Money b);
    static std::optional<Money> checkedMultiply(Money a, qint64 factor);

    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 units)
        : m_units(units) {}
    qint64 m_units = 0;
};

Q_DECLARE_METATYPE(Money)
