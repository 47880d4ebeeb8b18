#include "CellValues.h"

#include "PurchaseDate.h"

#include <QDate>
#include <QRegularExpression>

namespace CellValues {

std::optional<QString> number(const QString& cell) {
    QString t = cell.trimmed();
    if (t.isEmpty())
        return QStringLiteral("0");
    QString sign;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        sign = t.front() == u'-' ? QStringLiteral("-") : QString();
        t = t.mid(1).trimmed();
    }
    if (t.startsWith(u'$'))
        t = t.mid(1).trimmed();
    if (sign.isEmpty() && t.startsWith(u'-')) { // "$-5"
        sign = QStringLiteral("-");
        t = t.mid(1);
    }
    static const QRegularExpression shape(
        QStringLiteral("^(?:\\d{1,3}(?:,\\d{3})+|\\d+)?(?:\\.\\d+)?(?:[eE][-+]?\\d+)?$"));
    if (t.isEmpty() || !shape.match(t).hasMatch() || t.front() == u'e' || t.front() == u'E' ||
        t == u".")
        return std::nullopt;
    t.remove(u',');
    return sign + t;
}

std::optional<bool> yesNo(const QString& cell) {
    const QString t = cell.trimmed().toLower();
    if (t.isEmpty() || t == u"no" || t == u"n" || t == u"false" || t == u"0")
        return false;
    if (t == u"yes" || t == u"y" || t == u"true" || t == u"1" || t == u"x" || t == u"-1")
        return true;
    return std::nullopt;
}

std::optional<QString> date(const QString& cell) {
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return QStringLiteral("");
    QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        d = PurchaseDate::parse(t);
    if (!d.isValid())
        return std::nullopt;
    return PurchaseDate::calcdate(d);
}

} // namespace CellValues
