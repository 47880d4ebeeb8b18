#pragma once

#include <optional>

// The lock keys' lights, where the system lets a user program read them
// (the keyboard LEDs under /sys/class/leds on Linux); unknown otherwise.
namespace LockKeys {

std::optional<bool> capsLock();
std::optional<bool> numLock();
std::optional<bool> scrollLock();

} // namespace LockKeys
