#pragma once
// Little-endian primitives of the binary ledger form: DWORD, WORD, BOOL32, TIME and the
// length-prefixed STRING. The reader checks every read against the bytes that remain, so a
// count or a length in a hostile file can never make it read past the end or allocate more
// than the file itself holds.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tallymo {

// Thrown by ByteReader when the bytes end before the layout does.
struct LedgerBytesTruncated {};

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

    std::uint32_t Dword() {
        const unsigned char* p = Take(4);
        return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
               static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
    std::int32_t SignedDword() { return static_cast<std::int32_t>(Dword()); }
    std::uint16_t Word() {
        const unsigned char* p = Take(2);
        return static_cast<std::uint16_t>(p[0] | p[1] << 8);
    }
    std::uint8_t Byte() { return *Take(1); }
    // A stored bool counts as true only when it is exactly 1.
    bool Bool32() { return Dword() == 1; }
    void Skip(std::size_t count) { Take(count); }

    // Length below 255: one byte; 0xFF then a WORD below 0xFFFF; else 0xFF FFFF then a DWORD.
    std::string String() { return std::string(StringView()); }
    // The same, as a view into the bytes: nothing is copied for a text that is not kept.
    std::string_view StringView() {
        std::size_t length = Byte();
        if (length == 0xFF) {
            length = Word();
            if (length == 0xFFFF) length = Dword();
        }
        const char* text = reinterpret_cast<const char*>(Take(length));
        return std::string_view(text, length);
    }

    // Throws unless `count` records of at least `minRecordBytes` each can still follow: a
    // count that the remaining bytes cannot hold is refused before anything is allocated.
    void RequireRecords(std::uint64_t count, std::uint64_t minRecordBytes) const {
        if (minRecordBytes != 0 && count > Remaining() / minRecordBytes) {
            throw LedgerBytesTruncated{};
        }
    }

private:
    const unsigned char* Take(std::size_t count) {
        if (count > Remaining()) throw LedgerBytesTruncated{};
        const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data()) + m_pos;
        m_pos += count;
        return p;
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

class ByteWriter {
public:
    explicit ByteWriter(std::string& out) : m_out(out) {}

    void Dword(std::uint32_t value) {
        const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                               static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
        m_out.append(bytes, 4);
    }
    void SignedDword(std::int32_t value) { Dword(static_cast<std::uint32_t>(value)); }
    void Word(std::uint16_t value) {
        const char bytes[2] = {static_cast<char>(value), static_cast<char>(value >> 8)};
        m_out.append(bytes, 2);
    }
    void Byte(std::uint8_t value) { m_out.push_back(static_cast<char>(value)); }
    void Bool32(bool value) { Dword(value ? 1 : 0); }

    // A text longer than a DWORD can count cannot be stored: refused rather than cut.
    void String(std::string_view text) {
        const std::size_t length = text.size();
        if (length > 0xFFFFFFFFu) throw std::length_error("text too long for the ledger file");
        if (length < 0xFF) {
            Byte(static_cast<std::uint8_t>(length));
        } else if (length < 0xFFFE) {
            Byte(0xFF);
            Word(static_cast<std::uint16_t>(length));
        } else {
            Byte(0xFF);
            Word(0xFFFF);
            Dword(static_cast<std::uint32_t>(length));
        }
        m_out.append(text);
    }

    static std::size_t StringBytes(std::size_t length) {
        return (length < 0xFF ? 1 : length < 0xFFFE ? 3 : 7) + length;
    }

private:
    std::string& m_out;
};

}  // namespace tallymo
