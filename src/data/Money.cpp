#include "Money.h"

#include "Decimal.h"

#include <charconv>
#include <cmath>

std::optional<Money> Money::fromText(const QString& text) {
    const auto units = Decimal::leading(text).roundedUnits(4);
    if (!units)
        return std::nullopt;
    return Money(*units);
}

Money Money::fromStoredDouble(double value) {
    // Below this the product's rounding error stays far under half a unit.
    if (std::fabs(value) < 1e11) {
        // nearbyint rounds ties to even in the default rounding mode.
        return Money(qint64(std::nearbyint(value * kUnitsPerDollar)));
    }
    // Larger amounts are read from the shortest decimal that gives the same
    // double, so that 99999999999999 is not read as 99999999999999.0016.
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    if (written.ec != std::errc())
        return Money(0);
    const auto units =
        Decimal::leading(QString::fromLatin1(digits, written.ptr - digits)).roundedUnits(4);
    return Money(units.value_or(0));
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
