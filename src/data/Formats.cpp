#include "Formats.h"

#include <cmath>

namespace {

QString groupThousands(QString digits) {
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return digits;
}

// Absolute amount rounded to cents, halves away from zero, as "1,234.50".
QString centsText(qint64 units) {
    quint64 magnitude = units < 0 ? quint64(-(units + 1)) + 1 : quint64(units);
    const quint64 cents = (magnitude + 50) / 100;
    const QString whole = groupThousands(QString::number(cents / 100));
    return whole + u'.' + QStringLiteral("%1").arg(cents % 100, 2, 10, QChar(u'0'));
}

bool roundsToZero(qint64 units) {
    return units > -50 && units < 50;
}

} // namespace

namespace Formats {

QString entryCurrency(Money amount) {
    const QString body = u'$' + centsText(amount.units());
    if (amount.units() < 0 && !roundsToZero(amount.units()))
        return u'(' + body + u')';
    return body;
}

QString reportCurrency(Money amount) {
    const QString body = u'$' + centsText(amount.units());
    if (amount.units() < 0 && !roundsToZero(amount.units()))
        return u'-' + body;
    return body;
}

QString wholeNumber(double value) {
    const double r = std::round(value);
    if (!std::isfinite(r) || std::fabs(r) > 9e18)
        return QString::number(value, 'f', 0);
    const qint64 v = qint64(r);
    const QString digits = groupThousands(QString::number(v < 0 ? -v : v));
    return v < 0 ? u'-' + digits : digits;
}

QString plainWholeNumber(double value) {
    const double r = std::round(value);
    return QString::number(r == 0 ? 0.0 : r, 'f', 0);
}

QString yesNo(bool value) {
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace Formats
