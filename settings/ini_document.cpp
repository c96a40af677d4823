#include "ini_document.h"

namespace vireska {

namespace {

bool IsProfileSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

std::string TrimProfileSpace(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsProfileSpace(s[b])) ++b;
    while (e > b && IsProfileSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

IniDocument IniDocument::Parse(const std::string& bytes) {
    IniDocument doc;
    doc.Sections.push_back(Section{});
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = TrimProfileSpace(bytes.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        if (line[0] == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string::npos) {
                doc.Sections.push_back(Section{line.substr(1, close - 1), true, {}});
                continue;
            }
            // A header without "]" is an ordinary line.
        }
        Key key;
        const size_t eq = line.find('=');
        if (eq == std::string::npos) {
            key.Name = line;
        } else {
            key.Name = TrimProfileSpace(line.substr(0, eq));
            key.Value = TrimProfileSpace(line.substr(eq + 1));
        }
        auto& keys = doc.Sections.back().Keys;
        // Lines without a name in a row are kept once, as the service does.
        if (!key.Name.empty() || keys.empty() || !keys.back().Name.empty()) keys.push_back(std::move(key));
    }
    return doc;
}

std::string IniDocument::Serialize() const {
    std::string out;
    for (const Section& s : Sections) {
        if (s.Named) out += "[" + s.Name + "]\r\n";
        for (const Key& k : s.Keys) {
            out += k.Name;
            if (k.Value) out += "=" + *k.Value;
            out += "\r\n";
        }
    }
    return out;
}

// An empty name reads the lines before the first header, as the service does.
IniDocument::Section* IniDocument::FindSection(const std::string& name) {
    for (Section& s : Sections)
        if (s.Named ? SameName(s.Name, name) : name.empty()) return &s;
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(const std::string& name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

std::optional<std::string> IniDocument::Find(const std::string& section, const std::string& key) const {
    const Section* s = FindSection(TrimProfileSpace(section));
    if (!s) return std::nullopt;
    const std::string name = TrimProfileSpace(key);
    for (const Key& k : s->Keys)
        if (SameName(k.Name, name)) return k.Value;
    return std::nullopt;
}

bool IniDocument::Set(const std::string& section, const std::string& key, const std::string& value) {
    // Leading blanks of a value are not stored.
    size_t b = 0;
    while (b < value.size() && IsProfileSpace(value[b])) ++b;
    const std::string stored = value.substr(b);
    const std::string sectionName = TrimProfileSpace(section), keyName = TrimProfileSpace(key);
    Section* s = FindSection(sectionName);
    if (!s) {
        Sections.push_back(Section{sectionName, true, {}});
        s = &Sections.back();
    }
    for (Key& k : s->Keys) {
        if (!SameName(k.Name, keyName)) continue;
        if (k.Value && *k.Value == stored) return false;
        k.Value = stored;
        return true;
    }
    s->Keys.push_back(Key{keyName, stored});
    return true;
}

}  // namespace vireska
