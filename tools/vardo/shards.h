// Shards of a merge: the record range of one run cut at the documents that
// run would make, so that N runs, each doing its own share on whatever
// machine, write together the very files one run writes.
#pragma once

#include <string>
#include <vector>

#include "document.h"

namespace vardo::cli {

struct Shard {
  int number = 0;                    // 1 to the number of shards
  long first = 0, last = 0;          // its records; both 0 for an empty shard
  std::vector<long> documentStarts;  // the first record of each of its documents
  bool Empty() const { return documentStarts.empty(); }
};

// How many records one document of `templ` takes: its record slots, found as
// the data-merge plug-in finds them when it composes a range (the unlocked
// groups directly inside the visible, editable, unlocked layers that hold a
// script frame or a template group). 0 when it has none.
int CountRecordSlots(const vhost::Document &templ);

// Cuts the records `from` to `to` (from <= to), `slots` to a document
// (slots > 0), into `count` shards (count > 0): the documents one run makes
// are dealt out in order, the first shards taking one more when they do
// not divide evenly. Shards beyond the number of documents are empty.
std::vector<Shard> PlanShards(long from, long to, int slots, int count);

// The file name the sequencer gives the document that starts at `record`:
// "%s_%03d%s" with the stem and extension (a dot and one to three
// characters at the end) of the template's file name.
std::string OutputName(const std::string &templateName, long record);

// Reads "K/N" (decimal, 1 <= K <= N). False, the values untouched, for
// anything else.
bool ParseShard(const std::string &text, int *number, int *count);

// The plan as `vardo merge --plan N` prints it: a line per shard, or with
// `json` {"slots": S, "documents": D, "records": R, "shards": [{"shard": K,
// "of": N, "first": F, "last": L, "empty": B, "files": [...]}, ...]}, the
// files as paths in `outDir`; an empty shard has null first and last.
std::string FormatPlan(const std::vector<Shard> &plan, int slots, long records,
                       const std::string &outDir, const std::string &templateName, bool json);

// A shard's own folder for its run, inside `outDir` (so that its documents
// can be moved into place by a rename), holding a profile of its own with a
// copy of the preference files of `profile`: shards running side by side
// then share no file they write. Empty with *error on failure.
std::string MakeShardFolder(const std::string &outDir, const Shard &shard, int count,
                            const std::string &profile, std::string *error);

// Moves the documents `files` of a shard's folder into `outDir`, replacing
// files of those names (a retried shard writes them again); each entry is
// set to its new path. False with *error when one cannot be moved.
bool MoveShardDocuments(std::vector<std::string *> files, const std::string &outDir,
                        std::string *error);

}  // namespace vardo::cli
