// Test names made from a case's scenario text, so that a failing case of a
// table names itself.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace earshot::testing {

template <typename Case>
std::string scenarioName(const ::testing::TestParamInfo<Case>& param) {
    std::string name;
    for (const char* p = param.param.scenario; *p != '\0'; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) != 0 ? *p : '_';
    }
    return name;
}

}  // namespace earshot::testing
