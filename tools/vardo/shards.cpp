// Shards of a merge. The plan follows the documents one run makes: the
// sequencer starts a document at the start of the range and the next one
// where the data-merge plug-in stopped placing records, which for every
// document but the last is after as many records as the template has
// record slots. A shard that starts at one of those records and ends where
// a document ends makes those documents byte for byte.
#include "shards.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "AIArt.h"
#include "documentdump.h"
#include "numberargument.h"

namespace vardo::cli {

namespace {

namespace fs = std::filesystem;

// The data-merge plug-in asks only whether the first units of a frame's own
// text hold the old comment mark-up.
constexpr size_t kFrameUnitsSearched = 2000;

bool IsScriptFrame(const vhost::Art &art) {
  if (art.Type() != kTextFrameArt) return false;
  if (art.Tag("vardo2_script")) return true;
  if (art.Locked()) return false;
  if (const vhost::TextStory *story = art.Story()) {
    std::u16string_view text = story->Text();
    if (text.substr(0, kFrameUnitsSearched).find(u"<!--") != std::u16string_view::npos) return true;
  }
  return art.Tag("VRTag") != nullptr;
}

int ContentCount(const vhost::Art &art, int depth) {
  if (art.Locked()) return 0;
  if (art.Type() == kGroupArt) {
    if (art.Tag("vardo2_group")) return depth > 0 ? 1 : 0;
    int count = 0;
    for (const vhost::Art *child = art.FirstChild(); child; child = child->Sibling()) {
      count += ContentCount(*child, depth + 1);
    }
    return count;
  }
  return IsScriptFrame(art) ? 1 : 0;
}

bool IsUnlockedGroup(const vhost::Art &art) { return art.Type() == kGroupArt && !art.Locked(); }

std::string Number(long n) { return n ? std::to_string(n) : std::string("null"); }

}  // namespace

int CountRecordSlots(const vhost::Document &templ) {
  int slots = 0;
  for (size_t i = 0; i < templ.LayerCount(); ++i) {
    const vhost::Layer *layer = templ.NthLayer(i);
    if (!layer || !layer->Visible() || !layer->Editable() || !IsUnlockedGroup(*layer->group))
      continue;
    for (const vhost::Art *child = layer->group->FirstChild(); child; child = child->Sibling()) {
      if (IsUnlockedGroup(*child) && ContentCount(*child, 0) > 0) ++slots;
    }
  }
  return slots;
}

std::vector<Shard> PlanShards(long from, long to, int slots, int count) {
  const long documents = (to - from + slots) / slots;
  std::vector<Shard> plan(count);
  long next = 0;  // the next document to deal out
  for (int k = 0; k < count; ++k) {
    Shard &shard = plan[k];
    shard.number = k + 1;
    const long take = documents / count + (k < documents % count ? 1 : 0);
    for (long d = next; d < next + take; ++d) shard.documentStarts.push_back(from + d * slots);
    next += take;
    if (take == 0) continue;
    shard.first = shard.documentStarts.front();
    shard.last = std::min(to, from + next * slots - 1);
  }
  return plan;
}

std::string OutputName(const std::string &templateName, long record) {
  size_t extension = 0;
  const size_t n = templateName.size();
  for (size_t length = 2; length <= 4 && extension == 0; ++length) {
    if (n >= length && templateName[n - length] == '.') extension = length;
  }
  char number[32];
  std::snprintf(number, sizeof number, "_%03ld", record);
  return templateName.substr(0, n - extension) + number + templateName.substr(n - extension);
}

bool ParseShard(const std::string &text, int *number, int *count) {
  const size_t slash = text.find('/');
  long long k = 0, n = 0;
  if (slash == std::string::npos ||
      !ParseDecimalNumber(std::string_view(text).substr(0, slash), 1000000, &k) ||
      !ParseDecimalNumber(std::string_view(text).substr(slash + 1), 1000000, &n) || k < 1 ||
      k > n) {
    return false;
  }
  *number = static_cast<int>(k);
  *count = static_cast<int>(n);
  return true;
}

std::string FormatPlan(const std::vector<Shard> &plan, int slots, long records,
                       const std::string &outDir, const std::string &templateName, bool json) {
  long documents = 0;
  for (const Shard &shard : plan) documents += static_cast<long>(shard.documentStarts.size());
  const std::string of = std::to_string(plan.size());
  std::string text;
  if (json) {
    text = "{\"slots\": " + std::to_string(slots) +
           ", \"documents\": " + std::to_string(documents) +
           ", \"records\": " + std::to_string(records) + ", \"shards\": [";
  }
  for (const Shard &shard : plan) {
    const std::string k = std::to_string(shard.number);
    if (json) {
      if (shard.number > 1) text += ", ";
      text += "{\"shard\": " + k + ", \"of\": " + of + ", \"first\": " + Number(shard.first) +
              ", \"last\": " + Number(shard.last) +
              ", \"empty\": " + (shard.Empty() ? "true" : "false") + ", \"files\": [";
    } else if (shard.Empty()) {
      text += "shard " + k + "/" + of + ": empty, the run makes only " + std::to_string(documents) +
              " documents\n";
      continue;
    } else {
      text += "shard " + k + "/" + of + ": records " + std::to_string(shard.first) + " to " +
              std::to_string(shard.last) + ", " + std::to_string(shard.documentStarts.size()) +
              " documents\n";
    }
    for (size_t d = 0; d < shard.documentStarts.size(); ++d) {
      const std::string file =
          (fs::path(outDir) / OutputName(templateName, shard.documentStarts[d])).string();
      if (json) {
        text += (d ? ", " : "") + vhost::JsonString(file);
      } else {
        text += "  " + file + "\n";
      }
    }
    if (json) text += "]}";
  }
  if (json) text += "]}\n";
  return text;
}

std::string MakeShardFolder(const std::string &outDir, const Shard &shard, int count,
                            const std::string &profile, std::string *error) {
  std::string name = (fs::path(outDir) / (".vardo-shard-" + std::to_string(shard.number) + "-of-" +
                                          std::to_string(count) + "-XXXXXX"))
                         .string();
  if (!mkdtemp(name.data())) {
    *error = "cannot make the shard's folder in " + outDir;
    return {};
  }
  // The sequencer writes its settings into the profile on every run; the
  // preference files are copied so that each shard reads what one run would.
  const fs::path prefs = fs::path("Adobe") / "Illustrator" / "Prefs";
  const fs::path ownPrefs = fs::path(name) / "profile" / prefs;
  std::error_code ec;
  fs::create_directories(ownPrefs, ec);
  if (!ec && fs::is_directory(fs::path(profile) / prefs)) {
    for (const auto &entry : fs::directory_iterator(fs::path(profile) / prefs, ec)) {
      if (!entry.is_regular_file()) continue;
      fs::copy_file(entry.path(), ownPrefs / entry.path().filename(), ec);
      if (ec) break;
    }
  }
  if (ec) {
    *error = "cannot give the shard a profile of its own in " + name + ": " + ec.message();
    fs::remove_all(name, ec);
    return {};
  }
  return name;
}

bool MoveShardDocuments(std::vector<std::string *> files, const std::string &outDir,
                        std::string *error) {
  for (std::string *file : files) {
    const fs::path target = fs::path(outDir) / fs::path(*file).filename();
    std::error_code ec;
    fs::rename(*file, target, ec);
    if (ec) {
      *error = "cannot move " + *file + " to " + target.string() + ": " + ec.message();
      return false;
    }
    *file = target.string();
  }
  return true;
}

}  // namespace vardo::cli
