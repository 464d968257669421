#pragma once
// Names for the cases of a parameterised test, so ctest lists each case by
// what it checks: "daily every 3 days, end on an occurrence" becomes
// "DailyEvery3DaysEndOnAnOccurrence".
#include <cctype>
#include <string>

inline std::string caseName(const char* description)
{
    std::string name;
    bool wordStart = true;
    for (const char* p = description; *p; ++p) {
        const unsigned char ch = static_cast<unsigned char>(*p);
        if (!std::isalnum(ch)) {
            wordStart = true;
            continue;
        }
        name += wordStart ? char(std::toupper(ch)) : char(ch);
        wordStart = false;
    }
    return name;
}

// For INSTANTIATE_TEST_SUITE_P over cases that carry their description in `name`.
struct NameOfCase {
    template <typename ParamInfo>
    std::string operator()(const ParamInfo& info) const
    {
        return caseName(info.param.name);
    }
};
