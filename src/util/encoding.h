// Conversions at the borders where texts leave or enter the program as code-page-936 bytes
// (template files, the HTML page, the companion's payloads). Inside, texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plazor {

// Converts `input` from one iconv encoding to another with "//IGNORE" on the target, so characters
// without a counterpart (and invalid input sequences) are dropped instead of failing. Returns nothing
// when the converter cannot be opened or the conversion fails for another reason.
std::optional<std::string> convertEncoding(const char* from, const char* to, std::string_view input);

// Code-page-936 bytes (any GBK text, and the GB18030 sequences utf8ToGbk writes; invalid sequences
// dropped) to UTF-8.
std::optional<std::string> gbkToUtf8(std::string_view gbk);

// UTF-8 to code-page-936 bytes. Uses GB18030, which gives the same bytes as GBK for every GBK
// character and still represents every other character, so no file name is silently altered.
std::optional<std::string> utf8ToGbk(std::string_view utf8);

// Length of a UTF-8 text in code-page-936 bytes (a Chinese character counts 2). Falls back to the
// UTF-8 length when the text cannot be converted.
std::size_t gbkByteLength(std::string_view utf8);

// A name as bytes for a message: valid UTF-8 characters as they are, every other byte (a byte that
// is no part of a valid sequence, and the control characters) as \xNN.
std::string escapedName(std::string_view bytes);

}  // namespace plazor
