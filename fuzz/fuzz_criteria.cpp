// Criteria strings: any text is parsed or refused without harm, and a value
// written with equals() always reads back as itself.
#include "Criteria.h"
#include "FuzzText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    QString error;
    if (const auto parsed = Criteria::parse(text, &error)) {
        for (const Criteria::Comparison& c : parsed->comparisons())
            FUZZ_ASSERT(!c.column.isEmpty());
    } else {
        FUZZ_ASSERT(!error.isEmpty());
    }

    const auto written = Criteria::parse(Criteria::equals(QStringLiteral("Category"), text) +
                                         QStringLiteral(" and Cat_vehicle_number = 3"));
    FUZZ_ASSERT(written.has_value());
    FUZZ_ASSERT(written->comparisons().size() == 2);
    FUZZ_ASSERT(written->comparisons()[0].value == text);
    FUZZ_ASSERT(written->comparisons()[0].quoted);
    return 0;
}
