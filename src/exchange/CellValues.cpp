#include "CellValues.h"

#include "PurchaseDate.h"

#include <QDate>
#include <QRegularExpression>

namespace CellValues {

namespace {

// The digits after any sign and currency sign, and the sign itself.
std::pair<QString, QString> splitSign(const QString& cell) {
    QString t = cell.trimmed();
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
    return {sign, t};
}

std::optional<QString> pointNumber(QString t) {
    static const QRegularExpression shape(
        QStringLiteral("^(?:\\d{1,3}(?:,\\d{3})+|\\d+)?(?:\\.\\d+)?(?:[eE][-+]?\\d+)?$"));
    if (t.isEmpty() || !shape.match(t).hasMatch() || t.front() == u'e' || t.front() == u'E' ||
        t == u".")
        return std::nullopt;
    t.remove(u',');
    return t;
}

// Thousands grouped by points and nothing else: "1.234", "12.345.678".
bool pointGroupsOnly(const QString& t) {
    static const QRegularExpression shape(QStringLiteral("^\\d{1,3}(?:\\.\\d{3})+$"));
    return shape.match(t).hasMatch();
}

std::optional<QString> commaNumber(QString t) {
    if (!t.contains(u',')) {
        // No comma: a point is a decimal point unless it could group thousands.
        if (pointGroupsOnly(t) || t.contains(u'e') || t.contains(u'E'))
            return std::nullopt;
        return pointNumber(t);
    }
    static const QRegularExpression shape(
        QStringLiteral("^(?:\\d{1,3}(?:\\.\\d{3})+|\\d+)?,\\d+$"));
    if (!shape.match(t).hasMatch())
        return std::nullopt;
    t.remove(u'.');
    t.replace(u',', u'.');
    if (t.startsWith(u'.'))
        t.prepend(u'0');
    return t;
}

} // namespace

std::optional<QString> number(const QString& cell, DecimalMark mark) {
    const auto [sign, t] = splitSign(cell);
    if (cell.trimmed().isEmpty())
        return QStringLiteral("0");
    const std::optional<QString> n = mark == DecimalMark::Comma ? commaNumber(t) : pointNumber(t);
    if (!n)
        return std::nullopt;
    return sign + *n;
}

bool ambiguous(const QString& cell, DecimalMark mark) {
    return mark == DecimalMark::Comma && pointGroupsOnly(splitSign(cell).second);
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
