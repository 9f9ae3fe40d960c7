#include "support/SimBehaviourText.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <type_traits>
#include <variant>

namespace
{
using Member = std::variant<bool CSimBehaviour::*, int32_t CSimBehaviour::*, uint32_t CSimBehaviour::*,
                            uint8_t CSimBehaviour::*>;

struct Field
{
    const char* name;
    Member member;
};

const Field kFields[] = {
    {"silent", &CSimBehaviour::silent},
    {"silentAtProgram", &CSimBehaviour::silentAtProgram},
    {"late", &CSimBehaviour::late},
    {"copies", &CSimBehaviour::copies},
    {"answerChannel", &CSimBehaviour::answerChannel},
    {"secondModelId", &CSimBehaviour::secondModelId},
    {"shortDumps", &CSimBehaviour::shortDumps},
    {"dumpProgramOffset", &CSimBehaviour::dumpProgramOffset},
    {"identityLength", &CSimBehaviour::identityLength},
    {"family", &CSimBehaviour::family},
    {"member", &CSimBehaviour::member},
    {"refuseAtProgram", &CSimBehaviour::refuseAtProgram},
    {"refuseGlobal", &CSimBehaviour::refuseGlobal},
    {"refusal", &CSimBehaviour::refusal},
    {"bytesPerBuffer", &CSimBehaviour::bytesPerBuffer},
    {"realTimeInDumps", &CSimBehaviour::realTimeInDumps},
    {"searchReplyLength", &CSimBehaviour::searchReplyLength},
    {"searchNumber", &CSimBehaviour::searchNumber},
    {"searchFlag", &CSimBehaviour::searchFlag},
    {"realTimeSeed", &CSimBehaviour::realTimeSeed},
    {"wireRate", &CSimBehaviour::wireRate},
};

std::string Trimmed(const std::string& s)
{
    const char* const space = " \t\r\n";
    const size_t first = s.find_first_not_of(space);
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(space) - first + 1);
}

// The whole text as a number (decimal, or hex after 0x); false when anything else is in it.
bool ParseNumber(const std::string& text, long long& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && *end == '\0';
}

template <typename T> bool ParseValue(const std::string& text, T& value)
{
    if constexpr (std::is_same_v<T, bool>)
    {
        if (text == "1" || text == "true")
            value = true;
        else if (text == "0" || text == "false")
            value = false;
        else
            return false;
        return true;
    }
    else
    {
        long long number = 0;
        if (!ParseNumber(text, number) || number < std::numeric_limits<T>::min() ||
            number > static_cast<long long>(std::numeric_limits<T>::max()))
            return false;
        value = static_cast<T>(number);
        return true;
    }
}
} // namespace

CSimBehaviour ParseSimBehaviour(const std::string& text)
{
    CSimBehaviour behaviour;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
    {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = Trimmed(line.substr(0, equals));
        const std::string value = Trimmed(line.substr(equals + 1));
        for (const Field& field : kFields)
            if (name == field.name)
                std::visit(
                    [&](auto member)
                    {
                        auto parsed = behaviour.*member;
                        if (ParseValue(value, parsed))
                            behaviour.*member = parsed;
                    },
                    field.member);
    }
    return behaviour;
}

std::string FormatSimBehaviour(const CSimBehaviour& behaviour)
{
    std::string text;
    for (const Field& field : kFields)
        std::visit(
            [&](auto member)
            {
                text += field.name;
                text += '=';
                text += std::to_string(+(behaviour.*member));
                text += '\n';
            },
            field.member);
    return text;
}
