// What a failing call reports: tests compare the library's exact texts.
#pragma once

#include <functional>
#include <string>

#include "foundation/text/TextException.h"

namespace ZAVTest {

// The text of the CTextException the action throws, or "(nothing thrown)".
inline std::string ThrownText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CTextException& e) {
        return e.GetText();
    }
    return "(nothing thrown)";
}

}  // namespace ZAVTest
