// Text as the Windows profile service sees it: the ANSI functions speak
// Windows-1252, the service itself works in UTF-16 code units, and a file may
// be stored in either, or in UTF-8. These conversions do what the platform's
// MultiByteToWideChar and WideCharToMultiByte do for those encodings.
#pragma once
#include <string>

namespace vireska {

// Every byte has a code unit; the five bytes that Windows-1252 leaves
// undefined stand for the control characters of the same number.
std::u16string AnsiToWide(const std::string& ansi);
// A code unit without a Windows-1252 character is written as a similar one
// where Windows' best-fit table has one (U+0101 as "a"), else as "?".
std::string WideToAnsi(const std::u16string& wide);

// Each ill-formed sequence becomes one U+FFFD.
std::u16string Utf8ToWide(const std::string& utf8);
// A lone surrogate becomes U+FFFD.
std::string WideToUtf8(const std::u16string& wide);

}  // namespace vireska
