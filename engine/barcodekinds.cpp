#include "barcodekinds.h"

#include <zint.h>

namespace {

constexpr const char *kOcrB = "OCR B";
constexpr const char *kSans = "sans-serif";
// No standard fixes X for the industrial kinds; 0.254 mm (10 mil) is the
// size most printers and readers are set up for.
constexpr double kIndustrialX = 0.254;

const BarcodeKind kKinds[] = {
    {"JAN_LONG", BARCODE_EANX, 0.33, CheckDigit::kCarried, 12, kSans, 0, nullptr},
    {"JAN_SHORT", BARCODE_EANX, 0.33, CheckDigit::kCarried, 7, kSans, 0, nullptr},
    {"JAN_ISBN", BARCODE_ISBNX, 0.33, CheckDigit::kCarried, 12, kSans, 0, nullptr},
    {"UPC_A", BARCODE_UPCA, 0.33, CheckDigit::kCarried, 11, kSans, 0, nullptr},
    {"UPC_E", BARCODE_UPCE, 0.33, CheckDigit::kCarried, 7, kSans, 0, nullptr},
    {"UPC_ADDON", BARCODE_EANX, 0.33, CheckDigit::kFixed, 0, kSans, 0, nullptr},
    {"JAN_LONG_OCR", BARCODE_EANX, 0.33, CheckDigit::kCarried, 12, kOcrB, 0, nullptr},
    {"JAN_SHORT_OCR", BARCODE_EANX, 0.33, CheckDigit::kCarried, 7, kOcrB, 0, nullptr},
    {"UPC_A_OCR", BARCODE_UPCA, 0.33, CheckDigit::kCarried, 11, kOcrB, 0, nullptr},
    {"IDENTICON_INDUSTRIAL", BARCODE_C25IND, kIndustrialX, CheckDigit::kOptional, 0, kSans, 0,
     nullptr},
    {"IATA_WALLACE", BARCODE_C25IATA, kIndustrialX, CheckDigit::kOptional, 0, kSans, 0, nullptr},
    {"COMPUTER_IDENTICS", 0, 0, CheckDigit::kOptional, 0, nullptr, 0,
     "Computer Identics 2 of 5 has no published definition the engine could follow"},
    {"MATRIX_2OF5", BARCODE_C25STANDARD, kIndustrialX, CheckDigit::kOptional, 0, kSans, 0, nullptr},
    {"INTERLEAVED_2OF5", BARCODE_C25INTER, kIndustrialX, CheckDigit::kOptional, 0, kSans, 0,
     nullptr},
    {"NEC_2OF5", 0, 0, CheckDigit::kOptional, 0, nullptr, 0,
     "NEC 2 of 5 has no published definition the engine could follow"},
    {"UPC_ITF", BARCODE_ITF14, 1.016, CheckDigit::kCarried, 13, kSans, 0, nullptr},
    {"ANSI_CODABAR", BARCODE_CODABAR, kIndustrialX, CheckDigit::kOptional, 0, kSans, 0, nullptr},
    {"CODE39", BARCODE_CODE39, kIndustrialX, CheckDigit::kOptional, 0, kSans, 0, nullptr},
    {"CODE11", BARCODE_CODE11, kIndustrialX, CheckDigit::kOptional, 0, kSans, 0, nullptr},
    {"CODE93", BARCODE_CODE93, kIndustrialX, CheckDigit::kFixed, 0, kSans, 0, nullptr},
    {"CODE128", BARCODE_CODE128, kIndustrialX, CheckDigit::kFixed, 0, kSans, 0, nullptr},
    {"EAN128", BARCODE_GS1_128, 0.495, CheckDigit::kFixed, 0, kSans, 0, nullptr},
    // The Japan Post customer barcode at its 10-point size: bars 0.6 mm
    // wide on a 1.2 mm pitch, the long bar 3.6 mm; it has no text line.
    {"POSTAL", BARCODE_JAPANPOST, 0.6, CheckDigit::kFixed, 0, nullptr, 0, nullptr},
    {"RSS_14", BARCODE_DBAR_OMN, 0.33, CheckDigit::kCarried, 13, kSans, 0, nullptr},
    {"RSS_LIMITED", BARCODE_DBAR_LTD, 0.33, CheckDigit::kCarried, 13, kSans, 0, nullptr},
    {"RSS_EXPANDED", BARCODE_DBAR_EXP, 0.33, CheckDigit::kFixed, 0, kSans, 0, nullptr},
    // Truncated is the omnidirectional symbol at its least height, 13 X.
    {"RSS_14_TRUNCATED", BARCODE_DBAR_OMN, 0.33, CheckDigit::kCarried, 13, kSans, 13, nullptr},
    {"RSS_14_STACKED", BARCODE_DBAR_STK, 0.33, CheckDigit::kCarried, 13, kSans, 0, nullptr},
    {"RSS_14_OMNIDIRCTIONAL", BARCODE_DBAR_OMNSTK, 0.33, CheckDigit::kCarried, 13, kSans, 0,
     nullptr},
};

}  // namespace

const BarcodeKind *FindBarcodeKind(const std::string &type) {
  for (const BarcodeKind &kind : kKinds) {
    if (type == kind.type) return &kind;
  }
  return nullptr;
}

char Gs1CheckDigit(const std::string &digits) {
  int sum = 0;
  for (size_t i = 0; i < digits.size(); ++i) {
    const int digit = digits[digits.size() - 1 - i] - '0';
    sum += i % 2 == 0 ? 3 * digit : digit;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}
