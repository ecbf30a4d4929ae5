#pragma once
#include <cstdint>
#include <initializer_list>

// A zero-terminated GBK string in an allocation from the process heap; a null
// Text stands for the empty text. Owning and move-only: the heap block is
// freed when the Text goes.
class Text {
public:
    Text() = default;
    explicit Text(char* heapBlock) : p_(heapBlock) {}
    Text(Text&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    Text& operator=(Text&& other) noexcept;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    ~Text();

    bool IsNull() const { return p_ == nullptr; }
    // Never null: the empty text for a null Text.
    const char* CStr() const { return p_ ? p_ : ""; }

private:
    char* p_ = nullptr;
};

// Bytes before the terminating zero; 0 for null.
std::int32_t TextLength(const char* text);

// The parts one after the other, in order; a null part adds nothing.
// A failed allocation ends the process.
Text ConcatText(std::initializer_list<const char*> parts);
