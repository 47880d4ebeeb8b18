#pragma once

#include <QString>

#include <optional>

// How the cells of an imported file read. Stricter than the entry fields'
// leading-number rule: a cell that is not wholly a number is a problem to
// show, not a zero to store.
namespace CellValues {

// How a file writes the fraction of a number. Files separated by semicolons
// come from spreadsheets set to a decimal comma ("12,50", "1.234,50").
enum class DecimalMark { Point, Comma };

// "1,234.50", "$12", "-3", " 7 " -> plain decimal text ("1234.50", "12");
// an empty cell reads as "0". Empty when the cell is not a number.
// With a decimal comma, "12,50" and "1.234,50" read too, and so does a point
// that can only be a decimal point ("12.5"); "1.234" could be either and is
// refused (see ambiguous()).
std::optional<QString> number(const QString& cell, DecimalMark mark = DecimalMark::Point);
// Whether number() refused the cell because, with this mark, it reads as
// two different amounts: "1.234" is 1234 to a decimal-comma spreadsheet.
bool ambiguous(const QString& cell, DecimalMark mark);
// Yes/No, Y/N, True/False, 1/0, X; an empty cell is No.
std::optional<bool> yesNo(const QString& cell);
// MM/DD/YYYY (one-digit month and day too) or YYYY-MM-DD, as the worksheet
// stores dates: "MM/DD/YYYY". An empty cell stays "".
std::optional<QString> date(const QString& cell);

} // namespace CellValues
