#include "suiteregistry.h"

namespace vhost {

void SuiteRegistry::Add(const std::string &name, ASInt32 version, const void *table) {
  entries_[{name, version}].table = table;
}

ASErr SuiteRegistry::Acquire(const char *name, ASInt32 version, const void **table) {
  if (table) *table = nullptr;
  if (name == nullptr || table == nullptr) return kSPSuiteNotFoundError;
  auto it = entries_.find(std::pair<std::string_view, ASInt32>(name, version));
  if (it == entries_.end() || it->second.withdrawn) return kSPSuiteNotFoundError;
  *table = it->second.table;
  ++it->second.counts.acquired;
  return kNoErr;
}

ASErr SuiteRegistry::Release(const char *name, ASInt32 version) {
  if (name == nullptr) return kSPSuiteNotFoundError;
  auto it = entries_.find(std::pair<std::string_view, ASInt32>(name, version));
  if (it == entries_.end()) return kSPSuiteNotFoundError;
  Counts &c = it->second.counts;
  if (c.released >= c.acquired) return kSPSuiteNotFoundError;
  ++c.released;
  return kNoErr;
}

void SuiteRegistry::Withdraw(const std::string &name, ASInt32 version, bool withdrawn) {
  auto it = entries_.find({name, version});
  if (it != entries_.end()) it->second.withdrawn = withdrawn;
}

SuiteRegistry::Counts SuiteRegistry::CountsOf(const std::string &name, ASInt32 version) const {
  auto it = entries_.find({name, version});
  return it == entries_.end() ? Counts{} : it->second.counts;
}

SuiteRegistry::Counts SuiteRegistry::Totals() const {
  Counts total;
  for (const auto &[key, entry] : entries_) {
    total.acquired += entry.counts.acquired;
    total.released += entry.counts.released;
  }
  return total;
}

long SuiteRegistry::Outstanding() const {
  Counts t = Totals();
  return t.acquired - t.released;
}

void SuiteRegistry::ResetCounts() {
  for (auto &[key, entry] : entries_) entry.counts = Counts{};
}

}  // namespace vhost
