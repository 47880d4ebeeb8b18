// The purchase date as typed: any text is a date, not one, or nothing, and a
// date written back and read again is the same date.
#include "FuzzText.h"
#include "PurchaseDate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    const QDate parsed = PurchaseDate::parse(text);
    const PurchaseDate::Entry entry = PurchaseDate::classify(text);
    if (parsed.isValid() && text != QStringLiteral("01/01/0001"))
        FUZZ_ASSERT(entry == PurchaseDate::Entry::Valid);
    if (entry == PurchaseDate::Entry::Valid) {
        FUZZ_ASSERT(parsed.isValid());
        const QString written = PurchaseDate::calcdate(parsed);
        FUZZ_ASSERT(PurchaseDate::parse(written) == parsed);
        FUZZ_ASSERT(PurchaseDate::fromStored(written) == parsed);
    }
    (void)PurchaseDate::fromStored(text);
    return 0;
}
