// The QR-code element's options for zint: error correction, version and
// the encoding mode the data must fit.
#pragma once

#include <string>

#include "barcode.h"

struct zint_symbol;

// Sets `symbol` up for a QR code of `data` (UTF-8) as the element's
// ECCLEVEL (L, M, Q or H; M when not given), VERSION (AUTO or 1 to 40) and
// ENCODEMODE (AUTO, NUMERIC, ASCII, KANJI, BINARY or MIXED; AUTO when not
// given) say, and checks the data against the mode: NUMERIC digits only,
// ASCII the 45 characters of alphanumeric mode, KANJI only characters of
// JIS X 0208's double-byte rows. A value it cannot read or data outside
// the mode: false with the reason, the symbol untouched.
bool SetQrOptions(const ElementAttributes &attributes, const std::string &data, zint_symbol *symbol,
                  std::string *reason);

// Whether warning `status` (with zint's text `warning`) that encoding a QR
// code in `symbol` gave leaves a symbol that reads back as the data: the
// Shift JIS byte mode that Japanese readers take by default and an ECI
// that names the data's character set do; in KANJI mode only a pure Kanji
// encoding does. False with the reason otherwise.
bool AcceptQrWarning(const zint_symbol &symbol, int status, const std::string &mode,
                     std::string *reason);
