#pragma once

#include <string>
#include <utility>
#include <vector>

// A DXF text as (group code, value) pairs; the code keeps its padding so that tests can check it.
inline std::vector<std::pair<std::string, std::string>> DxfPairs(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
        pairs.emplace_back(lines[i], lines[i + 1]);
    return pairs;
}

// The lines of the first record of that entity type (from its "  0" line up to the next one).
inline std::string DxfRecord(const std::string& text, const std::string& type, std::size_t from = 0)
{
    std::size_t start = text.find("\r\n  0\r\n" + type + "\r\n", from);
    if (start == std::string::npos)
        return {};
    start += 2;
    const std::size_t end = text.find("\r\n  0\r\n", start + 5);
    return text.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

inline bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
