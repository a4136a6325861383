#pragma once

#include <cstddef>
#include <functional>

#include "tools/contentserver/ContentStore.h"
#include "tools/contentserver/FaultRule.h"
#include "tools/contentserver/HttpExchange.h"

// Answers a request with the fault of `rule` instead of `answer` (what the
// request would have got). `sleep` waits a stall out and returns false when
// the server stops meanwhile; `complete` is called with the status and the
// body bytes just before the last bytes go out (for the log).
void RespondWithFault(const FaultRule& rule, const ContentStore::Answer& answer, bool media,
                      HttpExchange& exchange, const std::function<bool(double)>& sleep,
                      const std::function<void(int, std::size_t)>& complete);
