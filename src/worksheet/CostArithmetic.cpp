#include "CostArithmetic.h"

#include "Decimal.h"

namespace {

// Percentages are kept to ten decimals: exact for anything a person types,
// and it keeps the product within the exact range of Decimal.
constexpr int kPercentDecimals = 10;

} // namespace

std::optional<qint64> CostArithmetic::wholeQuantity(const QString& text) {
    return Decimal::leading(text).roundedUnits(0);
}

CostArithmetic::Result CostArithmetic::calcamount(const Input& input) {
    Result out;
    const auto shipping = Money::fromText(input.shipping);
    const auto quantity = wholeQuantity(input.quantity);
    const auto price = Money::fromText(input.price);
    if (!shipping || !quantity || !price)
        return out;
    const auto subtotal = Money::checkedMultiply(*price, *quantity);
    if (!subtotal)
        return out;

    const Decimal subtotalExact = Decimal::fromUnits(subtotal->units(), 4);
    Decimal tax;
    if (input.taxable) {
        const auto percentUnits =
            Decimal::leading(input.taxPercentage).roundedUnits(kPercentDecimals);
        if (!percentUnits)
            return out;
        // percent / 100 as a fraction
        const Decimal fraction = Decimal::fromUnits(*percentUnits, kPercentDecimals + 2);
        tax = subtotalExact * fraction;
        if (!tax.isValid())
            return out;
    }
    const Decimal sum = subtotalExact + tax + Decimal::fromUnits(shipping->units(), 4);
    const auto totalUnits = sum.roundedUnits(4);
    // The tax is stored as money later, so it must fit too.
    if (!sum.isValid() || !totalUnits || !tax.roundedUnits(4))
        return out;

    out.ok = true;
    out.subtotal = *subtotal;
    out.tax = tax.toText();
    out.total = Money::fromUnits(*totalUnits).toPlainText();
    return out;
}
