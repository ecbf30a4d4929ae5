#include "platform/text.h"

#include <windows.h>

#include <cstring>

#include "platform/fatal.h"

Text& Text::operator=(Text&& other) noexcept {
    if (this != &other) {
        this->~Text();
        p_ = other.p_;
        other.p_ = nullptr;
    }
    return *this;
}

Text::~Text() {
    if (p_) HeapFree(GetProcessHeap(), 0, p_);
}

std::int32_t TextLength(const char* text) {
    return text ? static_cast<std::int32_t>(std::strlen(text)) : 0;
}

Text ConcatText(std::initializer_list<const char*> parts) {
    SIZE_T size = 1;
    for (const char* part : parts) size += static_cast<SIZE_T>(TextLength(part));
    char* block = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size));
    if (!block) FatalOutOfMemory();
    char* end = block;
    for (const char* part : parts) {
        const std::int32_t length = TextLength(part);
        std::memcpy(end, part ? part : "", static_cast<size_t>(length));
        end += length;
    }
    *end = '\0';
    return Text(block);
}
