#include "fieldlookup.h"

#include <vector>

namespace {

const ActionParamKeyID kRecordKey = AS_FOURCC('v', 'r', 'c', 'r');
const ActionParamKeyID kNameKey = AS_FOURCC('v', 'r', 'e', 'l');
const ActionParamKeyID kValueKey = AS_FOURCC('v', 'r', 'v', 'l');

int Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string EncodePercent(const std::string &text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (c >= 0x80 || c == '%') {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string DecodePercent(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) {  // cut off inside the escape
      out += '?';
      break;
    }
    const int high = Digit(text[i + 1]), low = Digit(text[i + 2]);
    out += high < 0 ? '?' : static_cast<char>(high * 16 + (low < 0 ? 0 : low));
    i += 2;
  }
  return out;
}

bool LookUpField(const AIActionManagerSuite *actions, const AINotifierSuite *notifier, int record,
                 const std::string &name, std::string *value) {
  value->clear();
  AIActionParamValueRef block = nullptr;
  if (!actions || !notifier || actions->AINewActionParamValue(&block) != kNoErr || !block)
    return false;
  actions->AIActionSetInteger(block, kRecordKey, record);
  actions->AIActionSetString(block, kNameKey, EncodePercent(name).c_str());
  notifier->Notify(ENGINE_LOOKUP_NOTIFIER, block);
  // The string read refuses a value that does not fit: grow until it does.
  bool answered = false;
  std::vector<char> buffer(4096);
  while (buffer.size() <= (64u << 20)) {
    const ASErr status = actions->AIActionGetString(block, kValueKey, buffer.data(), buffer.size());
    if (status == kNoErr) {
      *value = DecodePercent(buffer.data());
      answered = true;
      break;
    }
    if (status != kBadParameterErr) break;
    buffer.resize(buffer.size() * 4);
  }
  actions->AIDeleteActionParamValue(block);
  return answered;
}
