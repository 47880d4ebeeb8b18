// Money from typed text: an amount that is taken survives its own plain text
// unchanged, and both display formats can show it.
#include "Formats.h"
#include "FuzzText.h"
#include "Money.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    const auto amount = Money::fromText(text);
    if (!amount)
        return 0;
    FUZZ_ASSERT(Money::fromText(amount->toPlainText()) == amount);
    const QString entry = Formats::entryCurrency(*amount);
    const QString report = Formats::reportCurrency(*amount);
    FUZZ_ASSERT(entry.contains(u'$') && report.contains(u'$'));
    (void)Money::checkedAdd(*amount, *amount);
    (void)Money::checkedMultiply(*amount, 3);
    return 0;
}
