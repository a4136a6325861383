#pragma once

class ContentCatalog;
struct ContentGroup;

// The catalog of a content type: one of seven objects that live for the
// whole run and are never owned by the caller; null for an unknown code.
ContentCatalog* CatalogForType(int code);

// Group `group` of a type's catalog; null for an unknown code or index.
const ContentGroup* GroupOfType(int code, int group);
