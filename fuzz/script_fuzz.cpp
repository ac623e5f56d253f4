// Arbitrary bytes as a script and as the values of its fields: parsing and
// rendering must never fail or touch memory outside their buffers (the
// fuzz build runs under AddressSanitizer and UndefinedBehaviorSanitizer),
// every value must come out as the text it is, never read as mark-up, and
// the styled runs must lie inside the text, in order.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "scriptmarkup.h"
#include "scriptrender.h"

namespace {

// The input is the script, then after the first NUL byte the value every
// field answers; a field whose name begins with 'x' is unknown.
struct Values {
  std::string value;
  int looked = 0;
};

bool Lookup(void *context, const std::string &name, std::string *value) {
  auto *values = static_cast<Values *>(context);
  if (!name.empty() && name[0] == 'x') return false;
  ++values->looked;
  *value = values->value;
  return true;
}

[[noreturn]] void Fail(const char *what) {
  fprintf(stderr, "fuzz: %s\n", what);
  abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string input(reinterpret_cast<const char *>(data), size);
  const size_t split = input.find('\0');
  const std::string script = input.substr(0, split);
  Values values;
  if (split != std::string::npos) values.value = input.substr(split + 1);

  const ScriptTree tree = ParseScript(script.data(), script.size());
  RenderedScript out;
  RenderScript(tree, Lookup, &values, &out);

  size_t last = 0;
  for (const StyledRun &run : out.runs) {
    if (run.start >= run.end || run.start < last || run.end > out.text.size())
      Fail("run out of order or bounds");
    last = run.end;
  }
  // A value is copied, line ends made CR: it appears whole in the text.
  std::u16string value;
  AppendUtf16(values.value, &value);
  std::u16string expected;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == u'\r' && i + 1 < value.size() && value[i + 1] == u'\n') continue;
    expected += value[i] == u'\n' ? u'\r' : value[i];
  }
  bool fieldInText = false;
  for (const ScriptNode &node : tree.nodes)
    fieldInText = fieldInText || node.kind == ScriptNode::kField;
  if (fieldInText && !expected.empty() && values.looked > 0 && !out.picture.present &&
      !out.barcode.present && out.text.find(expected) == std::u16string::npos) {
    bool known = false;
    for (const ScriptNode &node : tree.nodes) {
      known =
          known || (node.kind == ScriptNode::kField && (node.text.empty() || node.text[0] != 'x'));
    }
    if (known) Fail("a value does not appear as it is");
  }
  return 0;
}
