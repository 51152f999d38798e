#include "collation.h"

#include <optional>

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// A code point reduced to what the comparison looks at: the folded base letter
// first, the folded accented form second (0 for a plain letter).
struct Key
{
    char32_t primary;
    char32_t secondary;
    bool operator==(const Key &) const = default;
};

constexpr char32_t tableSize = 0x250; // Latin-1 and the Latin Extended blocks

const std::array<Key, tableSize> &latinKeys()
{
    static const std::array<Key, tableSize> keys = [] {
        std::array<Key, tableSize> k{};
        for (char32_t c = 0; c < tableSize; ++c) {
            char32_t base = c;
            while (QChar::decompositionTag(base) == QChar::Canonical) {
                const QString parts = QChar::decomposition(base);
                if (parts.isEmpty())
                    break;
                base = parts.at(0).unicode();
            }
            const char32_t folded = QChar::toCaseFolded(c);
            k[c] = base == c ? Key{folded, 0} : Key{QChar::toCaseFolded(base), folded};
        }
        return k;
    }();
    return keys;
}

Key keyOf(char32_t c)
{
    if (c < tableSize)
        return latinKeys()[c];
    return Key{QChar::toCaseFolded(c), 0};
}

// Decodes one code point and advances; malformed bytes stand for themselves.
char32_t next(const unsigned char *&p, const unsigned char *end)
{
    const unsigned char lead = *p++;
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : 0;
    char32_t c = lead & (0x3f >> extra);
    if (extra == 0 || end - p < extra)
        return lead;
    while (extra--) {
        if ((*p & 0xc0) != 0x80)
            return lead;
        c = (c << 6) | (*p++ & 0x3f);
    }
    return c;
}

bool isAscii(const unsigned char *p, int n)
{
    for (int i = 0; i < n; ++i)
        if (p[i] & 0x80)
            return false;
    return true;
}

unsigned char lower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

void decode(const unsigned char *p, int n, std::vector<Key> &out)
{
    out.clear();
    const unsigned char *end = p + n;
    while (p < end)
        out.push_back(keyOf(next(p, end)));
}

// "%text%" in plain ASCII on plain ASCII, as a list's search asks it of
// every row: looked for byte by byte, case aside. None for any other pattern.
std::optional<bool> containsPlain(const unsigned char *text, int textLength, const unsigned char *pattern, int patternLength)
{
    if (patternLength < 2 || pattern[0] != '%' || pattern[patternLength - 1] != '%')
        return std::nullopt;
    const unsigned char *inner = pattern + 1;
    const int innerLength = patternLength - 2;
    for (int i = 0; i < innerLength; ++i)
        if (inner[i] == '%' || inner[i] == '_' || (inner[i] & 0x80))
            return std::nullopt;
    if (!isAscii(text, textLength))
        return std::nullopt;
    for (int start = 0; start + innerLength <= textLength; ++start) {
        int i = 0;
        while (i < innerLength && lower(text[start + i]) == lower(inner[i]))
            ++i;
        if (i == innerLength)
            return true;
    }
    return false;
}

constexpr Key anyRun{U'%', 0};
constexpr Key anyOne{U'_', 0};

// Classic greedy matcher with one backtrack point per "%".
bool match(const std::vector<Key> &text, const std::vector<Key> &pattern)
{
    size_t t = 0, p = 0, starP = SIZE_MAX, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == anyRun) {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern[p] == anyOne || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (starP != SIZE_MAX) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == anyRun)
        ++p;
    return p == pattern.size();
}

}

namespace collation {

int compare(const char *a, int lengthA, const char *b, int lengthB)
{
    auto pa = reinterpret_cast<const unsigned char *>(a);
    auto pb = reinterpret_cast<const unsigned char *>(b);
    const unsigned char *endA = pa + lengthA;
    const unsigned char *endB = pb + lengthB;
    int accentOrder = 0;
    while (pa < endA && pb < endB) {
        if (*pa < 0x80 && *pb < 0x80) {
            const int d = lower(*pa++) - lower(*pb++);
            if (d)
                return d;
            continue;
        }
        const Key ka = keyOf(next(pa, endA));
        const Key kb = keyOf(next(pb, endB));
        if (ka.primary != kb.primary)
            return ka.primary < kb.primary ? -1 : 1;
        if (!accentOrder && ka.secondary != kb.secondary)
            accentOrder = ka.secondary < kb.secondary ? -1 : 1;
    }
    if (pa < endA)
        return 1;
    if (pb < endB)
        return -1;
    return accentOrder;
}

bool like(const char *text, int textLength, const char *pattern, int patternLength)
{
    auto t = reinterpret_cast<const unsigned char *>(text);
    auto p = reinterpret_cast<const unsigned char *>(pattern);
    if (const auto found = containsPlain(t, textLength, p, patternLength))
        return *found;
    thread_local std::vector<Key> textKeys, patternKeys;
    if (isAscii(t, textLength) && isAscii(p, patternLength)) {
        textKeys.clear();
        patternKeys.clear();
        for (int i = 0; i < textLength; ++i)
            textKeys.push_back(Key{lower(t[i]), 0});
        for (int i = 0; i < patternLength; ++i)
            patternKeys.push_back(Key{lower(p[i]), 0});
    } else {
        decode(t, textLength, textKeys);
        decode(p, patternLength, patternKeys);
    }
    return match(textKeys, patternKeys);
}

Foldings foldings()
{
    Foldings found;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xd800 && c < 0xe000)
            continue;
        const Key key = keyOf(c);
        const char32_t readAs = key.secondary ? key.secondary : key.primary;
        if (readAs != c && readAs < 0x10000) {
            found.from += QChar(c);
            found.to += QChar(readAs);
        }
    }
    return found;
}

}
