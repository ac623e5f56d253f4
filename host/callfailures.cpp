// Host calls made to fail on request, for tests of how a plug-in copes when
// a registration or a query is refused.
#include "host.h"

namespace vhost {

void Host::FailCallAt(const std::string &call, int countdown, ASErr status) {
  if (countdown <= 0) {
    callFailures_.erase(call);
    return;
  }
  callFailures_[call] = CallFailure{countdown, status};
}

ASErr Host::TakeCallFailure(const std::string &call) {
  auto it = callFailures_.find(call);
  if (it == callFailures_.end()) return kNoErr;
  if (--it->second.countdown > 0) return kNoErr;
  const ASErr status = it->second.status;
  callFailures_.erase(it);
  return status;
}

}  // namespace vhost
