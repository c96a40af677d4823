#include "ini_document.h"

#include "codepage.h"

namespace vireska {

namespace {

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

std::u16string TrimLeft(const std::u16string& s) {
    size_t b = 0;
    while (b < s.size() && IsProfileSpace(s[b])) ++b;
    return s.substr(b);
}

// The text up to its first NUL.
std::u16string UpToNul(const std::u16string& s) { return s.substr(0, s.find(u'\0')); }

std::u16string Decode(const std::string& bytes, TextEncoding& encoding) {
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        // UTF-8 with its mark: Wine reads and writes it as UTF-8; Windows
        // itself would take the mark for text of the first line.
        encoding = TextEncoding::Utf8;
        return Utf8ToWide(bytes.substr(3));
    }
    if (bytes.size() >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
        const bool little = at(0) == 0xFF;
        encoding = little ? TextEncoding::Utf16LE : TextEncoding::Utf16BE;
        std::u16string text;
        // A last odd byte counts as a code unit of its own (Wine's reading of it).
        for (size_t i = 2; i < bytes.size(); i += 2) {
            const unsigned first = at(i);
            if (i + 1 == bytes.size()) {
                text += static_cast<char16_t>(first);
                break;
            }
            const unsigned second = at(i + 1);
            text += static_cast<char16_t>(little ? first | (second << 8) : second | (first << 8));
        }
        return text;
    }
    encoding = TextEncoding::Ansi;
    return AnsiToWide(bytes);
}

std::string Encode(const std::u16string& text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Ansi:
        return WideToAnsi(text);
    case TextEncoding::Utf8:
        return "\xEF\xBB\xBF" + WideToUtf8(text);
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool little = encoding == TextEncoding::Utf16LE;
        std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
        for (char16_t u : text) {
            const char low = static_cast<char>(u & 0xFF), high = static_cast<char>(u >> 8);
            out += little ? low : high;
            out += little ? high : low;
        }
        return out;
    }
    }
    return std::string();
}

}  // namespace

bool IsProfileSpace(char16_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == u' '; }

bool SameName(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

std::u16string TrimProfileSpace(const std::u16string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsProfileSpace(s[b])) ++b;
    while (e > b && IsProfileSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

IniDocument IniDocument::Parse(const std::string& bytes) {
    IniDocument doc;
    const std::u16string text = Decode(bytes, doc.Encoding_);
    doc.Sections.push_back(Section{});
    size_t pos = 0;
    while (pos < text.size()) {
        // A line ends at a carriage return or a line feed, alone or in a run.
        size_t end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
        const std::u16string line = TrimProfileSpace(text.substr(pos, end - pos));
        pos = end;
        while (pos < text.size() && (text[pos] == u'\r' || text[pos] == u'\n')) ++pos;
        if (line.empty()) continue;
        if (line[0] == u'[') {
            const size_t close = line.rfind(u']');
            if (close != std::u16string::npos && close > 0) {
                doc.Sections.push_back(Section{UpToNul(TrimProfileSpace(line.substr(1, close - 1))), {}});
                continue;
            }
            // A header without "]" is an ordinary line.
        }
        Key key;
        const size_t eq = line.find(u'=');
        const std::u16string name = eq == std::u16string::npos ? line : TrimProfileSpace(line.substr(0, eq));
        key.Name = UpToNul(name);
        if (eq != std::u16string::npos) key.Value = UpToNul(TrimLeft(line.substr(eq + 1)));
        auto& keys = doc.Sections.back().Keys;
        // A line without a name directly after another is dropped, as the service does;
        // a name that starts with a NUL still counts as one here.
        if (!name.empty() || keys.empty() || !keys.back().Name.empty()) keys.push_back(std::move(key));
    }
    return doc;
}

std::string IniDocument::Serialize() const {
    std::u16string out;
    for (const Section& s : Sections) {
        // A section without a name (the first, or "[]") has no header line.
        if (!s.Name.empty()) out += u"[" + s.Name + u"]\r\n";
        for (const Key& k : s.Keys) {
            out += k.Name;
            if (k.Value) out += u"=" + *k.Value;
            out += u"\r\n";
        }
    }
    return Encode(out, Encoding_);
}

// An empty name reads the lines before the first header, as the service does.
IniDocument::Section* IniDocument::FindSection(const std::u16string& name) {
    for (Section& s : Sections)
        if (SameName(s.Name, name)) return &s;
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(const std::u16string& name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

std::optional<std::u16string> IniDocument::Find(const std::u16string& section, const std::u16string& key) const {
    const Section* s = FindSection(TrimProfileSpace(section));
    if (!s) return std::nullopt;
    const std::u16string name = TrimProfileSpace(key);
    for (const Key& k : s->Keys)
        if (SameName(k.Name, name)) return k.Value;
    return std::nullopt;
}

bool IniDocument::Set(const std::u16string& section, const std::u16string& key, const std::u16string& value) {
    // Leading blanks of a value are not stored. A new section or key keeps its
    // name as given but for leading blanks; an existing one is found by the trimmed name.
    const std::u16string stored = UpToNul(TrimLeft(value));
    Section* s = FindSection(TrimProfileSpace(section));
    if (!s) {
        Sections.push_back(Section{UpToNul(TrimLeft(section)), {}});
        s = &Sections.back();
    }
    const std::u16string keyName = TrimProfileSpace(key);
    for (Key& k : s->Keys) {
        if (!SameName(k.Name, keyName)) continue;
        if (k.Value && *k.Value == stored) return false;
        k.Value = stored;
        return true;
    }
    s->Keys.push_back(Key{UpToNul(TrimLeft(key)), stored});
    return true;
}

}  // namespace vireska
