#pragma once

#include <map>
#include <string>
#include <string_view>

// The settings reader of the Windows build, where inih is not packaged: the part of inih's
// INIReader the game uses, reading a file exactly as Debian's inih 55 does (its default build:
// lines of at most 199 bytes, ';' and '#' comment lines, inline ';' comments after a blank,
// indented continuation lines, a UTF-8 byte order mark skipped, section and key names of at most
// 49 bytes, the first bad line reported). Method names are inih's.
class IniFileReader {
public:
    explicit IniFileReader(const std::string& filename);

    // 0 on success, the number of the first bad line, or -1 when the file cannot be opened.
    int ParseError() const { return error; }

    // The value of `name` in `section` (both ignoring case), repeated keys and continuation lines
    // joined with line breaks; `defaultValue` when there is none.
    std::string Get(const std::string& section, const std::string& name, const std::string& defaultValue) const;
    // The value's leading number, in decimal, hex ("0x") or octal ("0"), as strtol reads it.
    long GetInteger(const std::string& section, const std::string& name, long defaultValue) const;
    // The value's leading number as strtod reads it.
    double GetReal(const std::string& section, const std::string& name, double defaultValue) const;
    // true, yes, on, 1 or false, no, off, 0, ignoring case; anything else gives the default.
    bool GetBoolean(const std::string& section, const std::string& name, bool defaultValue) const;

private:
    void parse(std::string_view text);
    void parseLine(std::string line, int lineNumber, std::string& section, std::string& previousName);
    void add(const std::string& section, const std::string& name, const std::string& value);

    int error = 0;
    std::map<std::string, std::string> values; // "section=name" in lower case
};
