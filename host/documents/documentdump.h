// The document as the host sees it, for people and programs: layers, then
// the art of each in host order (depth first), with type, user attributes,
// bounds, tags and the text of text frames. `vardo doc tree` prints it; the
// JSON form, which also holds every text run's features and the custom
// colours, is what tests compare to tell two models apart.
#pragma once

#include <string>
#include <string_view>

#include "document.h"

namespace vhost {

std::string DescribeDocument(const Document &doc);
std::string DescribeDocumentJson(const Document &doc);

// Bytes as a person can read them: printable ASCII and valid UTF-8
// characters from U+00A0 on as they are; \\, \", \r, \n, \t; any other
// byte as \xHH.
std::string EscapeForDisplay(std::string_view bytes);
// A JSON string literal (quotes included) of UTF-16 text: lone surrogates
// and controls as \u escapes.
std::string JsonString(const std::u16string &text);
// The same of valid UTF-8.
std::string JsonString(std::string_view utf8);

}  // namespace vhost
