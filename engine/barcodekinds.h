// The linear barcode kinds a barcode element's TYPE names, each with the
// symbology that draws it and what its standard fixes: the module (the
// X-dimension at ELEMENTSIZE 1), the data's form and its check digit.
#pragma once

#include <string>

enum class CheckDigit {
  kOptional,  // CHECKDIGIT=TRUE computes one and adds it; FALSE adds none
  kCarried,   // part of the symbol: TRUE computes it, FALSE means the data
              // ends with it and it is verified
  kFixed,     // the symbology's own check characters, always added
};

struct BarcodeKind {
  const char *type;  // TYPE as the mark-up writes it
  int symbology;     // zint's BARCODE_..., 0 for a kind the engine refuses
  double moduleMm;   // X at ELEMENTSIZE 1
  CheckDigit check;
  int digits;            // digits without the check digit, 0 when free
  const char *face;      // the face of the human-readable line, or null for none
  double heightModules;  // the standard bar height in modules, 0 for zint's
  const char *refusal;   // why the engine draws no such kind, or null
};

// The kind named `type` (upper case), or null for a name of no kind.
const BarcodeKind *FindBarcodeKind(const std::string &type);

// The GS1 modulo-10 check digit of `digits` (all '0' to '9'): weights 3 and
// 1 alternating from the right.
char Gs1CheckDigit(const std::string &digits);
