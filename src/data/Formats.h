#pragma once

#include "Money.h"

#include <QString>

// The display formats shared by the entry fields, the budget grid and the
// reports. Display rounds to two decimals, halves away from zero.
namespace Formats {

// "$#,##0.00;($#,##0.00)": entry fields; negatives in parentheses.
QString entryCurrency(Money amount);
// "$"#,##0.00: reports and the budget grid; negatives with a minus sign.
QString reportCurrency(Money amount);
// "#,##0": whole number with thousands separators.
QString wholeNumber(double value);
// "0": whole number without separators.
QString plainWholeNumber(double value);
// "Yes"/"No" for flag columns.
QString yesNo(bool value);

} // namespace Formats
