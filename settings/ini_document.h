// An INI file as the Windows profile service sees it: sections of keys,
// parsed with its rules and written back in its normalised form.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vireska {

class IniDocument {
public:
    // Parses the file's bytes. Never fails: every text has a meaning.
    static IniDocument Parse(const std::string& bytes);
    // The file as the service writes it: "[name]" and "key=value" lines
    // (a key without "=" as its bare name), CRLF, no blank lines.
    std::string Serialize() const;

    // The raw value of a key (nothing for a missing key or one without "=").
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;
    // Sets a value; a new key goes to the end of its section, a new section
    // to the end of the file. False when nothing changed.
    bool Set(const std::string& section, const std::string& key, const std::string& value);

private:
    struct Key {
        std::string Name;
        std::optional<std::string> Value;
    };
    struct Section {
        std::string Name;  // the nameless first section holds lines before any header
        bool Named = false;
        std::vector<Key> Keys;
    };
    Section* FindSection(const std::string& name);
    const Section* FindSection(const std::string& name) const;

    std::vector<Section> Sections;
};

// Names compare without regard to the case of the letters A to Z.
bool SameName(const std::string& a, const std::string& b);
// Blanks as the profile service trims them.
std::string TrimProfileSpace(const std::string& s);

}  // namespace vireska
