#pragma once

// Loading a big catalog makes about a million small allocations, and where
// page faults are dear (virtual machines) the faults of the growing heap
// cost more than the load itself. The allocator's transparent huge page
// mode cuts them some 500-fold, but it is a glibc tunable, read only when a
// process starts: so the program starts itself once more with it set.
//
// Returns when the program goes on in this process: in the restarted one
// (with the environment put back as it was, so that the programs it starts
// inherit nothing), when the user has set GLIBC_TUNABLES already, without
// glibc, or when the restart fails. Call it first thing in main.
void RestartWithHugePageHeap(char** argv);
