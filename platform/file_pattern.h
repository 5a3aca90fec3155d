#pragma once
// The name masks of a folder listing ("*.*", "*.ini", "a??.txt") with the DOS rules the Windows
// listing functions apply: "*.*" also matches names without a dot, a trailing "*." matches names
// without an extension, "?" may match nothing at a dot or at the end of the name, trailing dots and
// spaces of the mask are dropped. Letters match without regard to (ASCII) case.
#include <string_view>
#include <vector>

namespace plat {

class FilePattern {
  public:
    explicit FilePattern(std::string_view mask);
    bool Matches(std::string_view name) const;

  private:
    enum class Kind : unsigned char {
        Literal,
        Star,    // any run of characters
        DosStar, // any run of characters that does not hold the name's last dot
        DosQm,   // one character other than a dot, or nothing at a dot or the end
        DosDot,  // a dot, or nothing at the end
    };
    struct Token {
        Kind kind;
        char c;
    };
    std::vector<Token> tokens_;
    bool matchesAll_ = false;
};

} // namespace plat
