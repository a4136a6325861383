#include "tools/contentserver/DownloadQuery.h"

#include "tools/contentserver/UpdateQuery.h"

DownloadQuery ParseDownloadQuery(std::string_view query)
{
    DownloadQuery result;
    for (std::size_t start = 0; start <= query.size();) {
        auto amp = query.find('&', start);
        if (amp == std::string_view::npos)
            amp = query.size();
        const std::string_view pair = query.substr(start, amp - start);
        const auto eq = pair.find('=');
        const std::string_view name = pair.substr(0, eq);
        const auto value = [&] {
            return PercentDecoded(eq == std::string_view::npos ? std::string_view()
                                                               : pair.substr(eq + 1));
        };
        if (name == "t" && !result.type)
            result.type = value();
        else if (name == "id" && !result.id)
            result.id = value();
        else if (name == "f" && !result.form)
            result.form = value();
        start = amp + 1;
    }
    return result;
}
