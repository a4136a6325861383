#include "tree/TreeLabel.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, char>, 5> kReferences = {{
    {"&amp;", '&'},
    {"&lt;", '<'},
    {"&gt;", '>'},
    {"&quot;", '"'},
    {"&apos;", '\''},
}};

} // namespace

std::string DisplayLabel(std::string_view label)
{
    std::string shown;
    shown.reserve(label.size());
    size_t i = 0;
    while (i < label.size()) {
        if (label[i] == '&') {
            bool decoded = false;
            for (const auto& [reference, character] : kReferences)
                if (label.substr(i, reference.size()) == reference) {
                    shown += character;
                    i += reference.size();
                    decoded = true;
                    break;
                }
            if (decoded)
                continue;
        }
        shown += label[i++];
    }
    return shown;
}
