#pragma once

#include <QDate>
#include <QString>

// The purchase date as the worksheet writes and reads it: "MM/DD/YYYY".
class PurchaseDate {
public:
    // calcdate: the date field's text for a picker date (03/05/2001 for 5 March 2001).
    static QString calcdate(const QDate& date);
    // Reads a field text as month/day/year; an invalid QDate when it is not a date.
    static QDate parse(const QString& text);
    // The picker date of a stored line: month from characters 1-2, day from
    // 4-5, year from 7-10. Invalid when those do not make a date.
    static QDate fromStored(const QString& stored);
    // Whether a line marked purchased lacks its date: nothing typed, the
    // empty date "01/01/0001", or a text that is not a whole date.
    static bool isMissing(const QString& text);
};
