// libFuzzer target: any bytes read as the bank's reference-rate document.
// Whatever is accepted must hold only positive rates and render a page.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "site/lookup/rates_page.h"
#include "site/lookup/reference_rates.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    const auto rates = ParseReferenceRates(document);
    if (!rates) {
        return 0;
    }
    if (!(rates->yuanPerEuro > 0) || rates->rates.size() > kMaxReferenceRates ||
        !IsValidDate(rates->date.year, rates->date.month, rates->date.day)) {
        std::abort();
    }
    for (const ReferenceRate& rate : rates->rates) {
        if (!(rate.perEuro > 0) || rate.currency.size() != 3 || rate.currency == "CNY") {
            std::abort();
        }
    }
    if (RatesDocument(*rates, 0, true).find("</html>") == std::string::npos) {
        std::abort();
    }
    return 0;
}
