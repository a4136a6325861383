#pragma once

struct CtlInvocation;

// vantoryctl search [--type KEY] [--limit N] [--json] WORD...: loads the
// catalog as load does and prints what the words find, groups first, then
// items, one a line (type key, group id, item id, label; a group's item id
// is empty) or as JSON. CTL_OK with matches, CTL_FAILED with none.
int RunSearch(const CtlInvocation& call);
