#include "sjis.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <mutex>

namespace {

// One converter per direction and thread; iconv descriptors are not thread-safe
// but are cheap to keep.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

iconv_t ToSjisCd() {
    thread_local Converter c("CP932", "UTF-8");
    return c.ok() ? c.get() : nullptr;
}
iconv_t FromSjisCd() {
    thread_local Converter c("UTF-8", "CP932");
    return c.ok() ? c.get() : nullptr;
}

// Length of the UTF-8 sequence that starts with b (1 for stray bytes).
size_t Utf8SeqLen(unsigned char b) {
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) return 2;
    if ((b & 0xF0) == 0xE0) return 3;
    if ((b & 0xF8) == 0xF0) return 4;
    return 1;
}

bool AllAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

namespace {

// Runs the whole input through cd. At a sequence the converter refuses,
// onBad(in, inLeft, out) decides: it may append a replacement and skip the
// sequence (return true) or stop the conversion (return false).
template <class OnBad>
bool Convert(iconv_t cd, std::string_view src, std::string& out, OnBad onBad) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const char* in = src.data();
    size_t inLeft = src.size();
    char buf[1024];
    while (inLeft > 0) {
        char* o = buf;
        size_t oLeft = sizeof buf;
        size_t r = iconv(cd, const_cast<char**>(&in), &inLeft, &o, &oLeft);
        out.append(buf, o - buf);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            int err = errno;
            if (!onBad(in, inLeft, out, err)) return false;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return true;
}

// Bytes of the CP932 sequence the decoder refused at in: a lead byte takes
// its trail byte with it only when that byte can be a trail byte, so an
// ASCII character after a stray lead byte stays itself; a sequence cut at
// the end takes the rest.
size_t BadSjisLength(const char* in, size_t inLeft, int err) {
    if (err == EINVAL) return inLeft;
    unsigned char b = static_cast<unsigned char>(*in);
    unsigned char t = inLeft >= 2 ? static_cast<unsigned char>(in[1]) : 0;
    bool trail = (t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC);
    return IsSjisLead(b) && inLeft >= 2 && trail ? 2 : 1;
}

}  // namespace

std::string ToSjis(std::string_view utf8) {
    if (AllAscii(utf8)) return std::string(utf8);
    iconv_t cd = ToSjisCd();
    if (!cd) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    Convert(cd, utf8, out, [](const char*& in, size_t& inLeft, std::string& o, int) {
        // A character CP932 has no code for (or broken UTF-8): one '?', skip it.
        o.push_back('?');
        size_t skip = std::min(inLeft, Utf8SeqLen(static_cast<unsigned char>(*in)));
        in += skip;
        inLeft -= skip;
        return true;
    });
    return out;
}

std::string FromSjis(std::string_view sjis) {
    if (AllAscii(sjis)) return std::string(sjis);
    iconv_t cd = FromSjisCd();
    if (!cd) return std::string(sjis);
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    Convert(cd, sjis, out, [](const char*& in, size_t& inLeft, std::string& o, int err) {
        o.append("\xEF\xBF\xBD");
        size_t skip = BadSjisLength(in, inLeft, err);
        in += skip;
        inLeft -= skip;
        return true;
    });
    return out;
}

bool ToSjisExact(std::string_view utf8, std::string& out, std::string* bad) {
    out.clear();
    if (AllAscii(utf8)) {
        out.assign(utf8);
        return true;
    }
    iconv_t cd = ToSjisCd();
    if (!cd) return false;
    out.reserve(utf8.size());
    return Convert(cd, utf8, out, [bad](const char*& in, size_t& inLeft, std::string&, int) {
        if (bad) {
            size_t n = std::min(inLeft, Utf8SeqLen(static_cast<unsigned char>(*in)));
            *bad = IsValidUtf8(std::string_view(in, n)) ? std::string(in, n) : std::string(in, 1);
        }
        return false;
    });
}

bool FromSjisExact(std::string_view sjis, std::string& out, std::string* bad) {
    out.clear();
    if (AllAscii(sjis)) {
        out.assign(sjis);
        return true;
    }
    iconv_t cd = FromSjisCd();
    if (!cd) return false;
    out.reserve(sjis.size() * 3 / 2);
    return Convert(cd, sjis, out, [bad](const char*& in, size_t& inLeft, std::string&, int err) {
        if (bad) bad->assign(in, BadSjisLength(in, inLeft, err));
        return false;
    });
}

std::string FirstNonSjisChar(std::string_view utf8) {
    std::string out, bad;
    return ToSjisExact(utf8, out, &bad) ? std::string() : bad;
}

std::string DescribeBytes(std::string_view bytes) {
    std::string s = "(";
    char buf[8];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%s0x%02X", i ? " " : "", static_cast<unsigned char>(bytes[i]));
        s += buf;
    }
    return s + ")";
}

std::string DescribeChar(std::string_view c) {
    if (c.empty() || !IsValidUtf8(c)) return DescribeBytes(c);
    // The code point of the first character.
    unsigned char b = static_cast<unsigned char>(c[0]);
    size_t n = Utf8SeqLen(b);
    unsigned long cp = n == 1 ? b : b & (0xFF >> (n + 1));
    for (size_t i = 1; i < n && i < c.size(); ++i) cp = (cp << 6) | (static_cast<unsigned char>(c[i]) & 0x3F);
    char buf[16];
    std::snprintf(buf, sizeof buf, "(U+%04lX)", cp);
    return "「" + std::string(c.substr(0, n)) + "」" + buf;
}

size_t SjisLength(std::string_view utf8) { return ToSjis(utf8).size(); }

std::string SjisTruncate(std::string_view utf8, size_t maxBytes) {
    std::string s = ToSjis(utf8);
    if (s.size() <= maxBytes) return std::string(utf8);
    size_t i = 0;
    while (i < s.size()) {
        size_t w = (IsSjisLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
        if (i + w > maxBytes) break;
        i += w;
    }
    return FromSjis(std::string_view(s).substr(0, i));
}

std::string SjisKey(std::string_view utf8) { return ToSjis(utf8); }

int SjisCompare(std::string_view a, std::string_view b) {
    std::string ka = ToSjis(a), kb = ToSjis(b);
    int c = ka.compare(kb);  // char_traits<char>::compare compares as unsigned char
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        size_t n = 1;
        if (b < 0x80) n = 1;
        else if ((b & 0xE0) == 0xC0 && b >= 0xC2) n = 2;
        else if ((b & 0xF0) == 0xE0) n = 3;
        else if ((b & 0xF8) == 0xF0 && b <= 0xF4) n = 4;
        else return false;
        if (i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}
