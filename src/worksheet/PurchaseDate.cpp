#include "PurchaseDate.h"

#include <QStringList>

#include <algorithm>

namespace {

int number(const QString& part, bool* ok) {
    const QString t = part.trimmed();
    if (t.isEmpty()) {
        *ok = false;
        return 0;
    }
    for (QChar c : t)
        if (!c.isDigit() || c.unicode() > 127) {
            *ok = false;
            return 0;
        }
    return t.toInt(ok);
}

} // namespace

QString PurchaseDate::calcdate(const QDate& date) {
    return QStringLiteral("%1/%2/%3")
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(date.day(), 2, 10, QChar(u'0'))
        .arg(date.year(), 4, 10, QChar(u'0'));
}

QDate PurchaseDate::parse(const QString& text) {
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        return {};
    bool okMonth = true, okDay = true, okYear = true;
    const int month = number(parts[0], &okMonth);
    const int day = number(parts[1], &okDay);
    const int year = number(parts[2], &okYear);
    if (!okMonth || !okDay || !okYear || parts[2].trimmed().size() != 4 || year < 1)
        return {};
    return QDate(year, month, day);
}

QDate PurchaseDate::fromStored(const QString& stored) {
    bool okMonth = true, okDay = true, okYear = true;
    const int month = number(stored.mid(0, 2), &okMonth);
    const int day = number(stored.mid(3, 2), &okDay);
    const int year = number(stored.mid(6, 4), &okYear);
    if (!okMonth || !okDay || !okYear || year < 1)
        return {};
    return QDate(year, month, day);
}

PurchaseDate::Entry PurchaseDate::classify(const QString& text) {
    const bool anyDigit =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    if (!anyDigit || text == u"01/01/0001")
        return Entry::Missing;
    return parse(text).isValid() ? Entry::Valid : Entry::Invalid;
}
