#include "problems.h"

#include "documentdump.h"

namespace vardo::cli {

void PrintProblems(const std::vector<vhost::EngineProblem> &problems, std::FILE *out) {
  for (const vhost::EngineProblem &p : problems) {
    std::fprintf(out, "record %d, frame %s: %s: %s\n", static_cast<int>(p.record),
                 p.frame.empty() ? "(no id)" : p.frame.c_str(), p.kind.c_str(), p.detail.c_str());
  }
}

std::string ProblemsJson(const std::vector<vhost::EngineProblem> &problems) {
  std::string out = "[";
  for (size_t i = 0; i < problems.size(); ++i) {
    const vhost::EngineProblem &p = problems[i];
    out += (i ? ", " : "") + std::string("{\"record\": ") + std::to_string(p.record) +
           ", \"frame\": " + vhost::JsonString(std::string_view(p.frame)) +
           ", \"kind\": " + vhost::JsonString(std::string_view(p.kind)) +
           ", \"detail\": " + vhost::JsonString(std::string_view(p.detail)) + "}";
  }
  return out + "]";
}

}  // namespace vardo::cli
