#pragma once
// The message form of component errors, Component "<name>": <reason>, and its inverse.

#include <string>
#include <string_view>

namespace tessaly {

// Component "<name>": <reason>
std::string ComponentMessage(std::string_view componentName, std::string_view reason);

// The reason behind the component prefix of a message; a message without the prefix is its own
// reason ("Floating point overflow" stays as it is). The view points into message.
std::string_view ComponentReason(std::string_view message);

} // namespace tessaly
