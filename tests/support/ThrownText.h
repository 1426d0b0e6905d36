// What a failing call reports: tests compare the library's exact texts.
#pragma once

#include <functional>
#include <string>

#include "foundation/text/TextException.h"

namespace ZAVTest {

// What ThrownText gives for an action that throws nothing.
inline constexpr char kNothingThrown[] = "(nothing thrown)";

// The text of the CTextException the action throws, or kNothingThrown.
inline std::string ThrownText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CTextException& e) {
        return e.GetText();
    }
    return kNothingThrown;
}

}  // namespace ZAVTest
