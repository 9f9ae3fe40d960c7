#pragma once

#include <stdexcept>
#include <string>

// A skin image that could not be found or decoded; the text may be empty.
class CHfcImageException : public std::runtime_error
{
public:
    explicit CHfcImageException(const std::string& text = std::string()) : std::runtime_error(text) {}
};
