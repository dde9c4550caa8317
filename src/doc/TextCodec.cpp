#include "doc/TextCodec.h"

#include <iconv.h>

#include <cerrno>

namespace tallymo {
namespace {

// One conversion with iconv. With `replace` set, a byte sequence the source encoding does not
// hold becomes U+FFFD (only used towards UTF-8); otherwise any such sequence fails the whole
// conversion.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input,
                                   bool replace) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.resize(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    bool ok = true;
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
        if (!replace) {
            ok = false;
            break;
        }
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
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8, false);
}

std::optional<std::string> Cp932ToUtf8Strict(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932, false);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932, true).value_or(std::string());
}

}  // namespace tallymo
