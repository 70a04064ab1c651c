#include "sjis.h"

#include <cerrno>
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

std::string ToSjis(std::string_view utf8) {
    if (AllAscii(utf8)) return std::string(utf8);
    iconv_t cd = ToSjisCd();
    std::string out;
    out.reserve(utf8.size());
    if (!cd) return std::string(utf8);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const char* in = utf8.data();
    size_t inLeft = utf8.size();
    char buf[1024];
    while (inLeft > 0) {
        char* o = buf;
        size_t oLeft = sizeof buf;
        size_t r = iconv(cd, const_cast<char**>(&in), &inLeft, &o, &oLeft);
        out.append(buf, o - buf);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // A character CP932 has no code for (or broken UTF-8): one '?', skip it.
            out.push_back('?');
            size_t skip = std::min(inLeft, Utf8SeqLen(static_cast<unsigned char>(*in)));
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::string FromSjis(std::string_view sjis) {
    if (AllAscii(sjis)) return std::string(sjis);
    iconv_t cd = FromSjisCd();
    if (!cd) return std::string(sjis);
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const char* in = sjis.data();
    size_t inLeft = sjis.size();
    char buf[1024];
    while (inLeft > 0) {
        char* o = buf;
        size_t oLeft = sizeof buf;
        size_t r = iconv(cd, const_cast<char**>(&in), &inLeft, &o, &oLeft);
        out.append(buf, o - buf);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            out.append("\xEF\xBF\xBD");
            unsigned char b = static_cast<unsigned char>(*in);
            // A lead byte takes its trail byte with it only when that byte can
            // be a trail byte; an ASCII character after it stays itself.
            unsigned char t = inLeft >= 2 ? static_cast<unsigned char>(in[1]) : 0;
            bool trail = (t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC);
            size_t skip = (IsSjisLead(b) && inLeft >= 2 && trail && errno != EINVAL) ? 2 : 1;
            if (errno == EINVAL) skip = inLeft;  // cut sequence at the end
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
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
