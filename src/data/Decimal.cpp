#include "Decimal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Int = __int128;
constexpr int kMaxDigits = 36; // safely below the 38 digits an __int128 holds

Int pow10(int n) {
    Int r = 1;
    for (int i = 0; i < n; ++i)
        r *= 10;
    return r;
}

int digitCount(Int v) {
    if (v < 0)
        v = -v;
    int n = 0;
    while (v != 0) {
        v /= 10;
        ++n;
    }
    return n;
}

struct Scan {
    QString text; // consumed characters without spaces
    bool negative = false;
    QString digits; // integer and fraction digits in order
    int fractionDigits = 0;
    int exponent = 0;
};

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

Scan scan(const QString& input) {
    QString s;
    s.reserve(input.size());
    for (QChar c : input)
        if (!isBlank(c))
            s.append(c);

    Scan out;
    int i = 0;
    const int n = int(s.size());
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        out.negative = s[i] == u'-';
        ++i;
    }
    bool seenPoint = false;
    bool seenDigit = false;
    int mantissaEnd = i;
    while (i < n) {
        const QChar c = s[i];
        if (c.isDigit() && c.unicode() < 128) {
            out.digits.append(c);
            if (seenPoint)
                ++out.fractionDigits;
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        ++i;
        mantissaEnd = i;
    }
    if (!seenDigit)
        return {};
    int end = mantissaEnd;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        int j = i + 1;
        bool expNegative = false;
        if (j < n && (s[j] == u'+' || s[j] == u'-')) {
            expNegative = s[j] == u'-';
            ++j;
        }
        const int expStart = j;
        long long exp = 0;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128) {
            exp = std::min<long long>(exp * 10 + (s[j].unicode() - '0'), 100000);
            ++j;
        }
        if (j > expStart) {
            out.exponent = int(expNegative ? -exp : exp);
            end = j;
        }
    }
    out.text = s.left(end);
    return out;
}

} // namespace

Decimal::Decimal(Int mantissa, int scale, bool sticky, bool valid)
    : m_mantissa(mantissa)
    , m_scale(scale)
    , m_sticky(sticky)
    , m_valid(valid) {}

Decimal Decimal::leading(const QString& text) {
    const Scan s = scan(text);
    if (s.text.isEmpty())
        return {};
    Int mantissa = 0;
    int scale = 0;
    bool sticky = false;
    const int integerDigits = int(s.digits.size()) - s.fractionDigits;
    for (int k = 0; k < s.digits.size(); ++k) {
        const int d = s.digits[k].unicode() - '0';
        const bool fraction = k >= integerDigits;
        if (digitCount(mantissa) < kMaxDigits) {
            mantissa = mantissa * 10 + d;
            if (fraction)
                ++scale;
        } else {
            // Out of precision: an integer digit still scales the value by ten.
            if (!fraction)
                --scale;
            if (d != 0)
                sticky = true;
        }
    }
    Decimal r(s.negative ? -mantissa : mantissa, scale - s.exponent, sticky, true);
    r.normalise();
    return r;
}

QString Decimal::leadingText(const QString& text) {
    return scan(text).text;
}

Decimal Decimal::fromUnits(qint64 units, int scale) {
    Decimal r(Int(units), scale, false, true);
    r.normalise();
    return r;
}

void Decimal::normalise() {
    if (m_mantissa == 0) {
        m_scale = 0;
        return;
    }
    while (m_scale > 0 && m_mantissa % 10 == 0) {
        m_mantissa /= 10;
        --m_scale;
    }
}

double Decimal::toDouble() const {
    if (!m_valid)
        return m_mantissa < 0 ? -HUGE_VAL : HUGE_VAL;
    // Far beyond a double's range either way the answer is known without
    // spelling out up to a hundred thousand zeros and parsing them again.
    if (m_mantissa != 0 && m_scale < -400)
        return m_mantissa < 0 ? -HUGE_VAL : HUGE_VAL;
    if (m_scale > 400 + kMaxDigits)
        return 0.0; // as the text conversion answers an underflow
    return toText().toDouble();
}

std::optional<qint64> Decimal::roundedUnits(int scale) const {
    if (!m_valid)
        return std::nullopt;
    const int shift = scale - m_scale;
    Int result = 0;
    if (shift >= 0) {
        if (m_mantissa != 0 && digitCount(m_mantissa) + shift > kMaxDigits)
            return std::nullopt;
        result = m_mantissa * pow10(shift);
    } else {
        const int down = -shift;
        if (down > kMaxDigits) {
            result = 0; // far below the last kept decimal
        } else {
            const Int divisor = pow10(down);
            Int q = m_mantissa / divisor;
            Int r = m_mantissa % divisor;
            const bool negative = m_mantissa < 0;
            if (negative)
                r = -r;
            const Int twice = r * 2;
            bool up = false;
            if (twice > divisor)
                up = true;
            else if (twice == divisor)
                up = m_sticky || (q % 2 != 0);
            else if (r == 0 && m_sticky)
                up = false;
            if (up)
                q += negative ? -1 : 1;
            result = q;
        }
    }
    constexpr Int maxI64 = Int(std::numeric_limits<qint64>::max());
    if (result > maxI64 || result < -maxI64 - 1)
        return std::nullopt;
    return qint64(result);
}

namespace {

// The digits of `v` from the last, with the point before the last `scale`
// of them and at least one digit before the point. Reports and exports
// format every amount here, so it works on 64 bits when the value allows.
template <typename T> void appendReversed(T v, int scale, QString& out) {
    int n = 0;
    while (v != 0 || n <= scale) {
        if (n == scale && scale > 0)
            out.append(u'.');
        out.append(QChar(char16_t(u'0' + int(v % 10))));
        v /= 10;
        ++n;
    }
}

} // namespace

QString Decimal::toText() const {
    if (!m_valid)
        return QStringLiteral("0");
    const bool negative = m_mantissa < 0;
    const Int v = negative ? -m_mantissa : m_mantissa;
    const int scale = std::max(m_scale, 0);
    QString out;
    out.reserve(scale + 24);
    if (v <= Int(std::numeric_limits<quint64>::max()))
        appendReversed(quint64(v), scale, out);
    else
        appendReversed(v, scale, out);
    if (negative)
        out.append(u'-');
    std::reverse(out.begin(), out.end());
    if (m_scale < 0 && m_mantissa != 0)
        out.append(QString(-m_scale, u'0'));
    return out;
}

Decimal Decimal::operator+(const Decimal& other) const {
    if (!m_valid || !other.m_valid)
        return Decimal(0, 0, false, false);
    const int scale = std::max(m_scale, other.m_scale);
    const int a = scale - m_scale;
    const int b = scale - other.m_scale;
    auto fits = [](Int m, int shift) { return m == 0 || digitCount(m) + shift <= kMaxDigits; };
    if (!fits(m_mantissa, a) || !fits(other.m_mantissa, b))
        return Decimal(0, 0, false, false);
    Decimal r(m_mantissa * pow10(a) + other.m_mantissa * pow10(b), scale,
              m_sticky || other.m_sticky, true);
    r.normalise();
    return r;
}

Decimal Decimal::operator*(const Decimal& other) const {
    if (!m_valid || !other.m_valid)
        return Decimal(0, 0, false, false);
    if (m_mantissa == 0 || other.m_mantissa == 0)
        return {};
    if (digitCount(m_mantissa) + digitCount(other.m_mantissa) > kMaxDigits)
        return Decimal(0, 0, false, false);
    Decimal r(m_mantissa * other.m_mantissa, m_scale + other.m_scale, m_sticky || other.m_sticky,
              true);
    r.normalise();
    return r;
}

Decimal Decimal::shifted(int decimalPlaces) const {
    Decimal r = *this;
    if (r.m_mantissa != 0)
        r.m_scale += decimalPlaces;
    r.normalise();
    return r;
}
