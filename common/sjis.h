// Shift-JIS (code page 932) conversion. Texts are UTF-8 inside the program; files,
// the settings file and list sorting use their CP932 bytes.
#pragma once
#include <string>
#include <string_view>

// UTF-8 to CP932. A character CP932 cannot hold becomes '?'. Never splits a
// double-byte character.
std::string ToSjis(std::string_view utf8);

// CP932 to UTF-8. A byte sequence that is not CP932 becomes U+FFFD; a lead byte
// at the very end (a cut double-byte character) likewise.
std::string FromSjis(std::string_view sjis);

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
