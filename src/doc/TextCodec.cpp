#include "doc/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <utility>

namespace tallymo {
namespace {

// One iconv descriptor per direction and thread, opened at first use: opening one costs more
// than converting a short name, and a table converts a name for every column it shows.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (IsOpen()) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Reset() {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // a failed conversion leaves state
        return m_cd;
    }

private:
    iconv_t m_cd;
};

// One conversion with iconv. With `replace` set, a byte sequence the source encoding does not
// hold becomes U+FFFD (only used towards UTF-8); otherwise any such sequence fails the whole
// conversion.
std::optional<std::string> Convert(Converter& converter, std::string_view input, bool replace) {
    if (!converter.IsOpen()) return std::nullopt;
    iconv_t cd = converter.Reset();
    std::string out;
    out.resize(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        if (!replace) return std::nullopt;
        // EILSEQ or a cut sequence (EINVAL) at the end: skip one byte, write U+FFFD.
        static const char kReplacement[] = "\xEF\xBF\xBD";
        if (outLeft < 3) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        }
        for (int i = 0; i < 3; ++i) *outPtr++ = kReplacement[i];
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    out.resize(out.size() - outLeft);
    return out;
}

Converter& ToCp932() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& ToUtf8() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

// Plain ASCII reads the same in both encodings: figures and most captions need no converter.
bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

std::optional<Cp932Text> Utf8ToCp932(std::string_view utf8) {
    if (IsAscii(utf8)) return Cp932Text(utf8);
    auto bytes = Convert(ToCp932(), utf8, false);
    if (!bytes) return std::nullopt;
    return Cp932Text(std::move(*bytes));
}

std::optional<std::string> Cp932ToUtf8Strict(const Cp932Text& text) {
    if (IsAscii(text.Bytes())) return text.Bytes();
    return Convert(ToUtf8(), text.Bytes(), false);
}

std::string Cp932ToUtf8(const Cp932Text& text) {
    if (IsAscii(text.Bytes())) return text.Bytes();
    return Convert(ToUtf8(), text.Bytes(), true).value_or(std::string());
}

std::size_t HalfWidthCells(std::string_view utf8) {
    if (const auto cp932 = Utf8ToCp932(utf8)) return cp932->size();
    // Character by character: one that CP932 cannot hold counts as a double-byte one.
    std::size_t cells = 0;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = start + 1;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
        const auto one = Utf8ToCp932(utf8.substr(start, end - start));
        cells += one ? one->size() : 2;
        start = end;
    }
    return cells;
}

}  // namespace tallymo
