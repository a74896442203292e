#include "base/ComponentMessage.h"

namespace tessaly {

namespace {
constexpr std::string_view Prefix = "Component \"";
constexpr std::string_view Separator = "\": ";
} // namespace

std::string ComponentMessage(std::string_view componentName, std::string_view reason)
{
    std::string text;
    text.reserve(Prefix.size() + componentName.size() + Separator.size() + reason.size());
    text += Prefix;
    text += componentName;
    text += Separator;
    text += reason;
    return text;
}

std::string_view ComponentReason(std::string_view message)
{
    if (!message.starts_with(Prefix))
        return message;
    const size_t close = message.find(Separator, Prefix.size());
    if (close == std::string_view::npos)
        return message;
    return message.substr(close + Separator.size());
}

} // namespace tessaly
