// The composition engine's problems as vardo compose shows them: one line
// each on standard error, and a "problems" array for its JSON.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "host.h"

namespace vardo::cli {

// "record N, frame ID: KIND: DETAIL" for each problem, to `out`.
void PrintProblems(const std::vector<vhost::EngineProblem> &problems, std::FILE *out);

// [{"record": N, "frame": "ID", "kind": "K", "detail": "TEXT"}, ...]
std::string ProblemsJson(const std::vector<vhost::EngineProblem> &problems);

}  // namespace vardo::cli
