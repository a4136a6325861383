#pragma once

#include "tools/contentserver/ContentStore.h"
#include "tools/contentserver/FaultRule.h"
#include "tools/contentserver/HttpReply.h"

// The reply that injects the fault of `rule` in place of `answer` (what the
// request would have got); `binary` for a picture or download request.
HttpReply FaultReply(const FaultRule& rule, const ContentStore::Answer& answer, bool binary);
