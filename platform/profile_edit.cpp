#include "platform/profile_edit.h"

namespace plat::profile {

namespace {

constexpr std::string_view kNewLine = "\r\n";

// The file with `range` replaced by `insert` (cp1252, encoded here), or nullopt when that is what
// the range already holds.
std::optional<std::string> Splice(const Document& doc, ByteRange range, std::string_view insert) {
    std::string encoded = EncodeFromAnsi(doc.Encoding(), insert);
    const std::string& bytes = doc.Bytes();
    if (bytes.compare(range.begin, range.end - range.begin, encoded) == 0) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() - (range.end - range.begin) + encoded.size());
    out.append(bytes, 0, range.begin);
    out += encoded;
    out.append(bytes, range.end, std::string::npos);
    // An ANSI file whose first line now starts with the bytes of a byte-order mark (a key "\xFF\xFE"
    // at the top, or the line before it removed) would read back in another encoding: a blank line
    // in front keeps it ANSI and changes no entry.
    if (doc.Encoding() == TextEncoding::Ansi && DetectEncoding(out).encoding != TextEncoding::Ansi)
        out.insert(0, kNewLine);
    return out;
}

// A new section at the end of the file: its header and then `lines` (each ending with CRLF).
std::optional<std::string> AppendSection(const Document& doc, std::string_view section,
                                         std::string_view lines) {
    std::string text = doc.EndsOpen() ? std::string(kNewLine) : std::string();
    text += '[';
    text += TrimLeadingBlanks(section);
    text += ']';
    text += kNewLine;
    text += lines;
    return Splice(doc, {doc.TextEnd(), doc.TextEnd()}, text);
}

std::string EntryLine(std::string_view key, std::string_view value) {
    std::string line(TrimLeadingBlanks(key));
    line += '=';
    line += TrimLeadingBlanks(value);
    line += kNewLine;
    return line;
}

// Where the lines of a section end: after its last non-blank line (or its header), so that the
// blank lines separating it from the next section stay after anything added. `open` tells that
// this line has no line break yet (it ends the file).
struct SectionEnd {
    std::size_t offset;
    bool open;
};

SectionEnd EndOfSection(const Document& doc, const Section& section) {
    std::size_t anchor = section.last > section.first ? section.last - 1 : section.header;
    if (anchor == kNoLine) return {doc.TextBegin(), false};
    const Line& line = doc.Lines()[anchor];
    return {line.end, !line.broken};
}

} // namespace

std::optional<std::string> SetValue(const Document& doc, std::string_view section, std::string_view key,
                                    std::string_view value) {
    std::optional<std::size_t> s = doc.FindSection(TrimBlanks(section));
    if (!s) return AppendSection(doc, section, EntryLine(key, value));

    if (std::optional<std::size_t> i = doc.FindEntry(*s, TrimBlanks(key))) {
        const Line& line = doc.Lines()[*i];
        if (line.kind == LineKind::Key) return Splice(doc, line.value, TrimLeadingBlanks(value));
        // A line without '=' gets its value after the name, keeping the name's position and spelling.
        std::string tail = "=";
        tail += TrimLeadingBlanks(value);
        return Splice(doc, {line.name.end, line.name.end}, tail);
    }

    SectionEnd end = EndOfSection(doc, doc.Sections()[*s]);
    std::string text = end.open ? std::string(kNewLine) : std::string();
    text += EntryLine(key, value);
    return Splice(doc, {end.offset, end.offset}, text);
}

std::optional<std::string> DeleteKey(const Document& doc, std::string_view section, std::string_view key) {
    std::optional<std::size_t> s = doc.FindSection(TrimBlanks(section));
    if (!s) return std::nullopt;
    std::optional<std::size_t> i = doc.FindEntry(*s, TrimBlanks(key));
    if (!i) return std::nullopt;
    const Line& line = doc.Lines()[*i];
    return Splice(doc, {line.begin, line.end}, {});
}

std::optional<std::string> DeleteSection(const Document& doc, std::string_view section) {
    std::optional<std::size_t> s = doc.FindSection(TrimBlanks(section));
    if (!s) return std::nullopt;
    const std::vector<Section>& sections = doc.Sections();
    const Section& target = sections[*s];
    if (target.header == kNoLine && target.first == target.last) return std::nullopt;
    std::size_t begin = target.header == kNoLine ? doc.TextBegin() : doc.Lines()[target.header].begin;
    std::size_t end = *s + 1 < sections.size() ? doc.Lines()[sections[*s + 1].header].begin : doc.TextEnd();
    return Splice(doc, {begin, end}, {});
}

std::optional<std::string> ReplaceSection(const Document& doc, std::string_view section,
                                          const std::vector<std::string>& entries) {
    std::string lines;
    for (const std::string& entry : entries) {
        std::size_t equals = entry.find('=');
        if (equals == std::string::npos) continue;
        lines +=
            EntryLine(std::string_view(entry).substr(0, equals), std::string_view(entry).substr(equals + 1));
    }

    std::optional<std::size_t> s = doc.FindSection(TrimBlanks(section));
    if (!s) return AppendSection(doc, section, lines);

    const Section& target = doc.Sections()[*s];
    std::size_t begin = doc.TextBegin();
    std::string text;
    if (target.header != kNoLine) {
        const Line& header = doc.Lines()[target.header];
        begin = header.end;
        if (!header.broken && !lines.empty()) text = kNewLine;
    }
    std::size_t end = begin;
    if (target.last > target.first) {
        const Line& lastLine = doc.Lines()[target.last - 1];
        end = lastLine.end;
        // The section's last line ended the file without a line break: so does what replaces it.
        if (!lastLine.broken && !lines.empty()) lines.erase(lines.size() - kNewLine.size());
    }
    text += lines;
    return Splice(doc, {begin, end}, text);
}

} // namespace plat::profile
