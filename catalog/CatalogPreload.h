#pragma once

#include "catalog/DatabaseLoader.h"

class WriteFailures;

// The program's first load of the catalogs, begun on a thread of its own
// while the window is still being made. The load that shows its progress
// then takes it over: it steps through the types that are done already,
// waits for the rest, and finds the catalogs as its own load would leave
// them. Nothing may touch the catalogs between Start and Take.
class CatalogPreload
{
public:
    // Begins the load (caches kept, as at every start); once a process.
    static void Start();

    // When a load was begun and not yet taken: waits for it, calling
    // afterType for each type in load order, adds its write failures to
    // `failures` when given and returns true. False otherwise, at once.
    static bool Take(const CatalogLoadProgress& afterType, WriteFailures* failures);
};
