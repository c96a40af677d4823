// An INI file as the Windows profile service sees it: sections of keys in
// UTF-16, parsed with its rules and written back in its normalised form, in
// the encoding the file came in.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vireska {

// How a file's text is stored, told by its first bytes.
enum class TextEncoding {
    Ansi,     // Windows-1252, no mark
    Utf8,     // EF BB BF
    Utf16LE,  // FF FE
    Utf16BE,  // FE FF
};

class IniDocument {
public:
    // Parses the file's bytes. Never fails: every text has a meaning.
    static IniDocument Parse(const std::string& bytes);
    // The file as the service writes it: its byte-order mark, "[name]" and
    // "key=value" lines (a key without "=" as its bare name), CRLF, no blank
    // lines, in the encoding it was read in.
    std::string Serialize() const;
    TextEncoding Encoding() const { return Encoding_; }

    // The value of a key (nothing for a missing key or one without "=").
    std::optional<std::u16string> Find(const std::u16string& section, const std::u16string& key) const;
    // Sets a value; a new key goes to the end of its section, a new section
    // to the end of the file. False when nothing changed.
    bool Set(const std::u16string& section, const std::u16string& key, const std::u16string& value);

private:
    // Names and values end at their first NUL, as the service's strings do.
    struct Key {
        std::u16string Name;
        std::optional<std::u16string> Value;
    };
    struct Section {
        std::u16string Name;  // the nameless first section holds lines before any header
        std::vector<Key> Keys;
    };
    Section* FindSection(const std::u16string& name);
    const Section* FindSection(const std::u16string& name) const;

    TextEncoding Encoding_ = TextEncoding::Ansi;
    std::vector<Section> Sections;
};

// Names compare without regard to the case of the letters A to Z (and only those).
bool SameName(const std::u16string& a, const std::u16string& b);
// Blanks as the service trims them: tab to carriage return, ^Z and space.
bool IsProfileSpace(char16_t c);
std::u16string TrimProfileSpace(const std::u16string& s);

}  // namespace vireska
