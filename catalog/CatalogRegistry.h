#pragma once

class ContentCatalog;

// The catalog of a content type: one of seven objects that live for the
// whole run and are never owned by the caller; null for an unknown code.
ContentCatalog* CatalogForType(int code);
