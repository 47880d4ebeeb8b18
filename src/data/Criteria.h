#pragma once

#include <QList>
#include <QString>

#include <optional>

// A criteria string as the windows write it: comparisons of a column with a
// value joined by " and " ("Mas_vehicle_number = 3 and Category = 'ENGINE'").
// Text values stand between single quotes with a quote inside doubled.
class Criteria {
public:
    enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

    struct Comparison {
        QString column;
        Op op = Op::Equal;
        QString value; // the literal with quotes removed
        bool quoted = false;
    };

    // Empty result (and a reason in *error) when the text is not well formed.
    // The empty text parses to no comparisons, meaning every row.
    static std::optional<Criteria> parse(const QString& text, QString* error = nullptr);

    // The one way to put a text value into a criteria string: between single
    // quotes, with any quote inside doubled (O'BRIEN -> 'O''BRIEN').
    static QString quoted(const QString& value);
    // "column = 'value'", quoted as above.
    static QString equals(const QString& column, const QString& value);

    bool isEmpty() const { return m_comparisons.isEmpty(); }
    const QList<Comparison>& comparisons() const { return m_comparisons; }

private:
    QList<Comparison> m_comparisons;
};
