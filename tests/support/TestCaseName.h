#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

// Names the tests of a table whose cases carry a `name` text: letters and digits are kept, the
// rest become '_'.
struct TestCaseName
{
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    }
};
