// How string tags sit in a file. A tag is one attribute on its element,
// named by the tag in one of two namespaces:
// - the tag namespace when the value is plain text (valid UTF-8 made only of
//   characters XML can hold: TAB, LF, CR and everything from U+0020 on but
//   U+FFFE and U+FFFF); the value is the attribute's text, so it stays
//   readable (CR, LF and TAB are written as character references);
// - the tag-bytes namespace for any other byte string: every byte that is
//   not part of such a character, and every '%', is written as %HH.
// A tag name is an XML name as it is; any byte that cannot stand in a name
// (and a "_x" that would read as an escape) is written as _xHH_.
#pragma once

#include <string>
#include <string_view>

namespace vhost::svg {

bool IsPlainTagValue(std::string_view value);
std::string EscapeTagBytes(std::string_view value);
// Inverse of EscapeTagBytes; a '%' not followed by two hex digits stays.
std::string UnescapeTagBytes(std::string_view text);

std::string EncodeTagName(std::string_view name);
std::string DecodeTagName(std::string_view encoded);

// Length of the valid UTF-8 sequence at the front of `text` that encodes a
// character XML can hold, or 0 when the front byte starts none.
size_t XmlCharLength(std::string_view text, bool allowControls);

}  // namespace vhost::svg
