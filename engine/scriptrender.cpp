#include "scriptrender.h"

#include <unicode/ustring.h>

namespace {

struct Frame {
  int node;
  size_t next;  // the child to visit next
  FontStyle style;
};

class Renderer {
 public:
  Renderer(const ScriptTree &tree, FieldLookup lookup, void *context, RenderedScript *out)
      : tree_(tree), lookup_(lookup), context_(context), out_(out) {}

  void Run() {
    // Depth first without recursion: a script may nest <font> deeply.
    std::vector<Frame> stack{{0, 0, FontStyle{}}};
    while (!stack.empty()) {
      Frame &top = stack.back();
      const ScriptNode &parent = tree_.nodes[top.node];
      if (top.next >= parent.children.size()) {
        stack.pop_back();
        continue;
      }
      const int index = parent.children[top.next++];
      const ScriptNode &node = tree_.nodes[index];
      const FontStyle style = top.style;
      switch (node.kind) {
        case ScriptNode::kText: Emit(node.text, style, false); break;
        case ScriptNode::kParagraph: Emit("\r", style, false); break;
        case ScriptNode::kField: {
          std::string value;
          if (Look(node.text, &value)) Emit(value, style, true);
          break;
        }
        case ScriptNode::kFont:
          stack.push_back({index, 0, MergeFontStyles(style, node.style)});
          break;
        case ScriptNode::kPicture:
        case ScriptNode::kBarcode: Element(node); break;
        case ScriptNode::kRoot: break;
      }
    }
  }

 private:
  bool Look(const std::string &name, std::string *value) {
    value->clear();
    if (lookup_ && lookup_(context_, name, value)) return true;
    out_->unknownFields.push_back(name);
    return false;
  }

  void Emit(const std::string &utf8, const FontStyle &style, bool value) {
    std::u16string units;
    AppendUtf16(utf8, &units);
    if (value) {
      // A value's own line ends: CR LF and LF are paragraph ends as CR is.
      std::u16string normal;
      for (size_t i = 0; i < units.size(); ++i) {
        if (units[i] == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n') continue;
        normal += units[i] == u'\n' ? u'\r' : units[i];
      }
      units.swap(normal);
    }
    if (units.empty()) return;
    const size_t start = out_->text.size();
    out_->text += units;
    if (!style.assigned) return;
    std::vector<StyledRun> &runs = out_->runs;
    if (!runs.empty() && runs.back().end == start && SameStyle(runs.back().style, style)) {
      runs.back().end = out_->text.size();
    } else {
      runs.push_back({start, out_->text.size(), style});
    }
  }

  static bool SameStyle(const FontStyle &a, const FontStyle &b) {
    auto sameColour = [](const AIColor &x, const AIColor &y) {
      return x.kind == y.kind && x.c.f.cyan == y.c.f.cyan && x.c.f.magenta == y.c.f.magenta &&
             x.c.f.yellow == y.c.f.yellow && (x.kind != kFourColor || x.c.f.black == y.c.f.black);
    };
    return a.assigned == b.assigned && a.face == b.face && a.size == b.size &&
           a.leading == b.leading && a.tracking == b.tracking && a.lineWidth == b.lineWidth &&
           a.baselineShift == b.baselineShift && a.horizontalScale == b.horizontalScale &&
           a.verticalScale == b.verticalScale &&
           (!(a.assigned & kFontFillColor) || sameColour(a.fill, b.fill)) &&
           (!(a.assigned & kFontStrokeColor) || sameColour(a.stroke, b.stroke));
  }

  void Element(const ScriptNode &node) {
    if (out_->picture.present || out_->barcode.present) {
      out_->problems.push_back("a second picture or barcode element in one frame is left out");
      return;
    }
    RenderedElement &element = node.kind == ScriptNode::kPicture ? out_->picture : out_->barcode;
    element.present = true;
    element.cell = node.cell;
    for (const auto &[name, raw] : node.attributes) {
      std::string value;
      SplitFieldReferences(
          raw, [&](const std::string &literal) { value += literal; },
          [&](const std::string &field) {
            std::string part;
            if (Look(field, &part)) value += part;
          });
      element.attributes.emplace_back(name, value);
    }
  }

  const ScriptTree &tree_;
  FieldLookup lookup_;
  void *context_;
  RenderedScript *out_;
};

}  // namespace

void AppendUtf16(const std::string &utf8, std::u16string *out) {
  if (utf8.empty()) return;
  const size_t at = out->size();
  // At most one unit per byte.
  out->resize(at + utf8.size());
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar *>(out->data() + at),
                       static_cast<int32_t>(utf8.size()), &length, utf8.data(),
                       static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
  out->resize(U_SUCCESS(status) ? at + length : at);
}

std::string Utf8(const std::u16string &text) {
  std::string out(text.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                     reinterpret_cast<const UChar *>(text.data()),
                     static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
  out.resize(U_SUCCESS(status) ? length : 0);
  return out;
}

std::string ValidUtf8(const std::string &bytes) {
  std::u16string units;
  AppendUtf16(bytes, &units);
  return Utf8(units);
}

void RenderScript(const ScriptTree &tree, FieldLookup lookup, void *context, RenderedScript *out) {
  *out = RenderedScript{};
  Renderer(tree, lookup, context, out).Run();
}
