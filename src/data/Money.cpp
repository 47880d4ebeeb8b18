#include "Money.h"

#include "Decimal.h"

#include <cmath>

std::optional<Money> Money::fromText(const QString& text) {
    const auto units = Decimal::leading(text).roundedUnits(4);
    if (!units)
        return std::nullopt;
    return Money(*units);
}

Money Money::fromStoredDouble(double value) {
    // nearbyint rounds ties to even in the default rounding mode.
    const double scaled = std::nearbyint(value * kUnitsPerDollar);
    if (!(scaled < 9.2e18 && scaled > -9.2e18))
        return Money(0);
    return Money(qint64(scaled));
}

QString Money::toPlainText() const {
    return Decimal::fromUnits(m_units, 4).toText();
}

std::optional<Money> Money::checkedAdd(Money a, Money b) {
    qint64 r = 0;
    if (__builtin_add_overflow(a.m_units, b.m_units, &r))
        return std::nullopt;
    return Money(r);
}

std::optional<Money> Money::checkedMultiply(Money a, qint64 factor) {
    qint64 r = 0;
    if (__builtin_mul_overflow(a.m_units, factor, &r))
        return std::nullopt;
    return Money(r);
}
