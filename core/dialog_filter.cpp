#include "core/dialog_filter.h"

namespace varentix {
namespace {

constexpr std::string_view kSeparator = "|";
constexpr std::string_view kEnd = "||";

}  // namespace

std::vector<DialogFilter> split_dialog_filter(const Text& filter) {
    const bool terminated =
        filter.size() >= kEnd.size() &&
        find_text_reverse(filter, kEnd) == static_cast<std::int32_t>(filter.size() - 1);
    const Text text = terminated ? filter : concat(filter, kEnd);

    std::vector<Text> fields;
    std::int32_t start = 1;
    for (;;) {
        const std::int32_t bar = find_text(text, kSeparator, start);
        if (bar == -1) break;
        fields.push_back(text_mid(text, start, bar - start));
        start = bar + 1;
    }

    std::vector<DialogFilter> filters;
    for (std::size_t i = 0; i + 1 < fields.size() && !fields[i].empty(); i += 2)
        filters.push_back({fields[i], fields[i + 1]});
    return filters;
}

}  // namespace varentix
