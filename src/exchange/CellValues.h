#pragma once

#include <QString>

#include <optional>

// How the cells of an imported file read. Stricter than the entry fields'
// leading-number rule: a cell that is not wholly a number is a problem to
// show, not a zero to store.
namespace CellValues {

// "1,234.50", "$12", "-3", " 7 " -> plain decimal text ("1234.50", "12");
// an empty cell reads as "0". Empty when the cell is not a number.
std::optional<QString> number(const QString& cell);
// Yes/No, Y/N, True/False, 1/0, X; an empty cell is No.
std::optional<bool> yesNo(const QString& cell);
// MM/DD/YYYY (one-digit month and day too) or YYYY-MM-DD, as the worksheet
// stores dates: "MM/DD/YYYY". An empty cell stays "".
std::optional<QString> date(const QString& cell);

} // namespace CellValues
