// Shift-JIS (code page 932) conversion. Texts are UTF-8 inside the program; files,
// the settings file and list sorting use their CP932 bytes.
#pragma once
#include <string>
#include <string_view>

// UTF-8 to CP932. A character CP932 cannot hold becomes '?'. Never splits a
// double-byte character. For keys and list order; what is stored or written
// to a file goes through ToSjisExact.
std::string ToSjis(std::string_view utf8);

// CP932 to UTF-8. A byte sequence that is not CP932 becomes U+FFFD; a lead byte
// at the very end (a cut double-byte character) likewise.
std::string FromSjis(std::string_view sjis);

// UTF-8 to CP932 without loss. False when the text holds a character CP932
// has no code for (or bytes that are not UTF-8): then bad, when given, holds
// the first such character (or stray byte) and out is incomplete.
bool ToSjisExact(std::string_view utf8, std::string& out, std::string* bad = nullptr);

// CP932 to UTF-8 without loss. False when the bytes are not CP932 text (a
// byte that begins no character, a lead byte without its trail byte, a code
// without a character): then bad, when given, holds the offending bytes.
bool FromSjisExact(std::string_view sjis, std::string& out, std::string* bad = nullptr);

// The first character of a UTF-8 text that CP932 cannot hold; "" when the
// whole text can be stored in CP932.
std::string FirstNonSjisChar(std::string_view utf8);

// A character for a message, visible even when it is invisible or broken:
// 「𠮷」(U+20BB7) for a UTF-8 character, (0x81 0x20) for bytes that are no
// character.
std::string DescribeChar(std::string_view utf8);
// Bytes in hexadecimal for a message: (0x81 0x20).
std::string DescribeBytes(std::string_view bytes);

// True when b is a lead byte of a CP932 double-byte character.
inline bool IsSjisLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The number of bytes the text occupies in CP932.
size_t SjisLength(std::string_view utf8);

// Cuts the text to at most maxBytes CP932 bytes, never inside a double-byte
// character; returns UTF-8.
std::string SjisTruncate(std::string_view utf8, size_t maxBytes);

// Sort key of a list text: its CP932 bytes. Comparing two keys with
// std::string's operator< (unsigned byte order) is the list order.
std::string SjisKey(std::string_view utf8);

// Byte-wise comparison of two texts in CP932: -1, 0 or +1. A text that is the
// beginning of a longer one is smaller.
int SjisCompare(std::string_view a, std::string_view b);

// True when the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view bytes);
