// The leading-number rule: whatever the text, the part it reads gives the
// same value again, and rounding either fits or says it does not.
#include "Decimal.h"
#include "FuzzText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    const Decimal value = Decimal::leading(text);
    const QString consumed = Decimal::leadingText(text);
    FUZZ_ASSERT(consumed.size() <= text.size());
    const Decimal again = Decimal::leading(consumed);
    FUZZ_ASSERT(again.isValid() == value.isValid());
    if (value.isValid())
        FUZZ_ASSERT(again.toText() == value.toText());
    for (int scale : {0, 2, 4})
        if (const auto units = value.roundedUnits(scale))
            FUZZ_ASSERT(Decimal::fromUnits(*units, scale).roundedUnits(scale) == units);
    (void)value.toDouble();
    return 0;
}
