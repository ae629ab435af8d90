#include "loader/module_record.h"

#include <cstring>

#include "common/text_encoding.h"

bool CopyToField(char* field, std::size_t fieldBytes, std::string_view text) {
    if (fieldBytes == 0) {
        return text.empty();
    }
    std::size_t length = 0;
    while (length < text.size()) {
        // A byte that starts no character (a stray lead byte) counts as one.
        std::size_t step = GbkSequenceLength(text.substr(length));
        if (step == 0) {
            step = 1;
        }
        if (length + step > fieldBytes - 1) {
            break;
        }
        length += step;
    }
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, fieldBytes - length);
    return length == text.size();
}
