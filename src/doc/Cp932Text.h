#pragma once
// A ledger text: matter names, memos and the settings store's strings are kept as the CP932
// (Shift-JIS) bytes the files hold, so that any file round-trips byte for byte. Being a type of
// its own, such a text cannot be handed to code that expects UTF-8, nor UTF-8 to code that
// expects it: every crossing goes through TextCodec.h. The bytes are never checked; a text read
// from a file may hold anything.

#include <compare>
#include <string>
#include <string_view>

namespace tallymo {

class Cp932Text {
public:
    Cp932Text() = default;
    explicit Cp932Text(std::string bytes) : m_bytes(std::move(bytes)) {}
    explicit Cp932Text(std::string_view bytes) : m_bytes(bytes) {}
    explicit Cp932Text(const char* bytes) : m_bytes(bytes) {}

    const std::string& Bytes() const { return m_bytes; }
    std::string TakeBytes() && { return std::move(m_bytes); }
    std::size_t size() const { return m_bytes.size(); }
    bool empty() const { return m_bytes.empty(); }
    std::size_t capacity() const { return m_bytes.capacity(); }

    friend bool operator==(const Cp932Text&, const Cp932Text&) = default;
    friend std::strong_ordering operator<=>(const Cp932Text& a, const Cp932Text& b) {
        return a.m_bytes.compare(b.m_bytes) <=> 0;
    }

private:
    std::string m_bytes;
};

}  // namespace tallymo
