// The host's suite registry: every suite the host offers, by name and
// version, with counts of acquisitions and releases so tests can check the
// brackets a plug-in opens. A suite can be withdrawn to see how a plug-in
// copes without it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "ASTypes.h"

namespace vhost {

class SuiteRegistry {
 public:
  // Offers `table` under `name` at `version`. The table is not owned and
  // must outlive the registry. Registering the same pair again replaces it.
  void Add(const std::string &name, ASInt32 version, const void *table);

  // What the basic suite's AcquireSuite answers: the table, or
  // kSPSuiteNotFoundError (unknown pair, or withdrawn) with *table null.
  ASErr Acquire(const char *name, ASInt32 version, const void **table);
  // kSPSuiteNotFoundError when the pair is unknown or has no open
  // acquisition.
  ASErr Release(const char *name, ASInt32 version);

  // Makes the pair unavailable (or available again). Acquisitions already
  // made stay open and can be released.
  void Withdraw(const std::string &name, ASInt32 version, bool withdrawn = true);

  struct Counts {
    long acquired = 0;
    long released = 0;
  };
  Counts CountsOf(const std::string &name, ASInt32 version) const;
  // Sums over every suite.
  Counts Totals() const;
  // Acquisitions not yet released, over every suite.
  long Outstanding() const;
  void ResetCounts();
  size_t Size() const { return entries_.size(); }

 private:
  struct Entry {
    const void *table = nullptr;
    bool withdrawn = false;
    Counts counts;
  };
  // Found by a view of the name: plug-ins acquire their suites around every
  // message, and a name copied into a string for each look-up cost more
  // than the rest of it.
  struct KeyHash {
    using is_transparent = void;
    template <typename Key>
    size_t operator()(const Key &key) const {
      return std::hash<std::string_view>{}(key.first) ^ static_cast<size_t>(key.second);
    }
  };
  struct KeyEqual {
    using is_transparent = void;
    template <typename A, typename B>
    bool operator()(const A &a, const B &b) const {
      return a.second == b.second && std::string_view(a.first) == std::string_view(b.first);
    }
  };
  std::unordered_map<std::pair<std::string, ASInt32>, Entry, KeyHash, KeyEqual> entries_;
};

}  // namespace vhost
