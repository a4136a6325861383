#pragma once

#include <stdexcept>
#include <utility>
#include <vector>

#include "tools/catgen/CatalogGenerator.h"
#include "tools/contentserver/ContentServer.h"
#include "tools/contentserver/TemporaryContent.h"

// The content options of the tests: `groups` groups of `items` items of
// the given types (all seven when empty), with pictures.
inline CatalogGeneratorOptions SmallContent(std::vector<int> types, int groups, int items)
{
    CatalogGeneratorOptions options;
    options.types = std::move(types);
    options.groupsPerType = groups;
    options.itemsPerGroup = items;
    options.pictures = true;
    return options;
}

// Generated content, served by the project's content server on a free
// loopback port from construction on.
struct ServedContent
{
    explicit ServedContent(const CatalogGeneratorOptions& options)
        : content(options), server([&] {
              ContentServerOptions serverOptions;
              serverOptions.contentDir = content.Dir();
              return serverOptions;
          }())
    {
        if (!server.Start())
            throw std::runtime_error("content server: " + server.Error());
    }

    TemporaryContent content;
    ContentServer server;
};
