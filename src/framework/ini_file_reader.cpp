#include "ini_file_reader.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// inih reads a line into a buffer of 200 bytes: a longer line comes in pieces of 199.
constexpr size_t kLinePiece = 199;
// Section and key names are copied into buffers of 50 bytes.
constexpr size_t kNameLength = 49;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void stripRight(std::string& text)
{
    while (!text.empty() && isSpace(text.back()))
        text.pop_back();
}

size_t skipSpace(const std::string& text, size_t at)
{
    while (at < text.size() && isSpace(text[at]))
        ++at;
    return at;
}

// The first of `stops` from `at` on, or an inline comment: a ';' right after white space.
size_t findStopOrComment(const std::string& text, size_t at, std::string_view stops)
{
    bool afterSpace = false;
    for (; at < text.size(); ++at) {
        if (stops.find(text[at]) != std::string_view::npos || (afterSpace && text[at] == ';'))
            return at;
        afterSpace = isSpace(text[at]);
    }
    return at;
}

} // namespace

IniFileReader::IniFileReader(const std::string& filename)
{
    std::FILE* file = std::fopen(filename.c_str(), "rb");
    if (file == nullptr) {
        error = -1;
        return;
    }
    std::string text;
    char buffer[4096];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, read);
    std::fclose(file);
    parse(text);
}

void IniFileReader::parse(std::string_view text)
{
    std::string section;
    std::string previousName;
    int lineNumber = 0;
    for (size_t at = 0; at < text.size();) {
        size_t end = at;
        while (end < text.size() && end - at < kLinePiece && text[end] != '\n')
            ++end;
        if (end < text.size() && end - at < kLinePiece)
            ++end; // the line break belongs to the line
        std::string line(text.substr(at, end - at));
        at = end;
        // The line is a C string: it ends at its first zero byte.
        line.resize(std::strlen(line.c_str()));
        ++lineNumber;
        if (lineNumber == 1 && line.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0)
            line.erase(0, kByteOrderMark.size());
        parseLine(std::move(line), lineNumber, section, previousName);
    }
}

void IniFileReader::parseLine(std::string line, int lineNumber, std::string& section, std::string& previousName)
{
    stripRight(line);
    const size_t start = skipSpace(line, 0);
    if (start == line.size() || line[start] == ';' || line[start] == '#')
        return;
    const auto fail = [&] {
        if (error == 0)
            error = lineNumber;
    };
    if (!previousName.empty() && start > 0) {
        // An indented line continues the value of the key before it, inline comment and all.
        add(section, previousName, line.substr(start));
        return;
    }
    if (line[start] == '[') {
        const size_t close = findStopOrComment(line, start + 1, "]");
        if (close == line.size() || line[close] != ']')
            return fail();
        section = line.substr(start + 1, close - start - 1).substr(0, kNameLength);
        previousName.clear();
        return;
    }
    const size_t separator = findStopOrComment(line, start, "=:");
    if (separator == line.size() || (line[separator] != '=' && line[separator] != ':'))
        return fail();
    std::string name = line.substr(start, separator - start);
    stripRight(name);
    const size_t valueEnd = findStopOrComment(line, separator + 1, {});
    const size_t valueStart = skipSpace(line, separator + 1);
    std::string value = valueStart < valueEnd ? line.substr(valueStart, valueEnd - valueStart) : std::string();
    stripRight(value);
    previousName = name.substr(0, kNameLength);
    add(section, name, value);
}

void IniFileReader::add(const std::string& section, const std::string& name, const std::string& value)
{
    std::string& stored = values[lowerCase(section + "=" + name)];
    if (!stored.empty())
        stored += '\n';
    stored += value;
}

std::string IniFileReader::Get(const std::string& section, const std::string& name,
                               const std::string& defaultValue) const
{
    const auto found = values.find(lowerCase(section + "=" + name));
    return found == values.end() ? defaultValue : found->second;
}

long IniFileReader::GetInteger(const std::string& section, const std::string& name, long defaultValue) const
{
    const std::string text = Get(section, name, "");
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    return end > text.c_str() ? value : defaultValue;
}

double IniFileReader::GetReal(const std::string& section, const std::string& name, double defaultValue) const
{
    const std::string text = Get(section, name, "");
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end > text.c_str() ? value : defaultValue;
}

bool IniFileReader::GetBoolean(const std::string& section, const std::string& name, bool defaultValue) const
{
    const std::string text = lowerCase(Get(section, name, ""));
    if (text == "true" || text == "yes" || text == "on" || text == "1")
        return true;
    if (text == "false" || text == "no" || text == "off" || text == "0")
        return false;
    return defaultValue;
}
