#include "platform/file_pattern.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <cstddef>

namespace plat {

FilePattern::FilePattern(std::string_view mask) {
    // The same rewriting FindFirstFile does before the file system matches the mask.
    bool noExtension = !mask.empty() && mask.back() == '.';
    while (!mask.empty() && (mask.back() == '.' || mask.back() == ' '))
        mask.remove_suffix(1);
    tokens_.reserve(mask.size());
    for (std::size_t i = 0; i < mask.size(); ++i) {
        char c = mask[i];
        bool beforeWildcard = i + 1 < mask.size() && (mask[i + 1] == '*' || mask[i + 1] == '?');
        if ((c == '.' && beforeWildcard) || c == '"') {
            tokens_.push_back({Kind::DosDot, c});
        } else if (c == '?' || c == '>') {
            tokens_.push_back({Kind::DosQm, c});
        } else if (c == '*') {
            tokens_.push_back({Kind::Star, c});
        } else if (c == '<') {
            tokens_.push_back({Kind::DosStar, c});
        } else {
            tokens_.push_back({Kind::Literal, UpperAscii(c)});
        }
    }
    if (noExtension && !tokens_.empty() && tokens_.back().kind == Kind::Star)
        tokens_.back().kind = Kind::DosStar;
    // "*" and "*.*" take every name: the listing of a whole folder needs no matching.
    auto is = [&](std::size_t i, Kind kind) { return tokens_[i].kind == kind; };
    matchesAll_ = (tokens_.size() == 1 && is(0, Kind::Star)) ||
                  (tokens_.size() == 3 && is(0, Kind::Star) && is(1, Kind::DosDot) && is(2, Kind::Star));
}

bool FilePattern::Matches(std::string_view name) const {
    if (matchesAll_) return true;
    // A set of live positions in the mask, advanced one name character at a time.
    const std::size_t count = tokens_.size();
    const std::size_t lastDot = name.rfind('.');
    std::vector<bool> live(count + 1, false);
    std::vector<bool> next(count + 1, false);
    live[0] = true;

    auto closeOver = [&](std::vector<bool>& set, std::size_t at) {
        // Tokens that can match nothing let the position behind them go live too.
        bool atEnd = at == name.size();
        for (std::size_t p = 0; p < count; ++p) {
            if (!set[p]) continue;
            switch (tokens_[p].kind) {
            case Kind::Star:
            case Kind::DosStar:
                set[p + 1] = true;
                break;
            case Kind::DosQm:
                if (atEnd || name[at] == '.') set[p + 1] = true;
                break;
            case Kind::DosDot:
                if (atEnd) set[p + 1] = true;
                break;
            case Kind::Literal:
                break;
            }
        }
    };

    for (std::size_t at = 0; at < name.size(); ++at) {
        closeOver(live, at);
        std::fill(next.begin(), next.end(), false);
        const char c = name[at];
        bool any = false;
        for (std::size_t p = 0; p < count; ++p) {
            if (!live[p]) continue;
            const Token& token = tokens_[p];
            bool stay = false;
            bool advance = false;
            switch (token.kind) {
            case Kind::Star:
                stay = true;
                break;
            case Kind::DosStar:
                stay = at != lastDot;
                break;
            case Kind::DosQm:
                advance = c != '.';
                break;
            case Kind::DosDot:
                advance = c == '.';
                break;
            case Kind::Literal:
                advance = UpperAscii(c) == token.c;
                break;
            }
            if (stay) next[p] = true;
            if (advance) next[p + 1] = true;
            any = any || stay || advance;
        }
        if (!any) return false;
        live.swap(next);
    }
    closeOver(live, name.size());
    return live[count];
}

} // namespace plat
