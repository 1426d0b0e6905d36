// Channel masks of the look-up kernels: 1 red, 2 green, 4 blue.
#pragma once

namespace ZAV {

constexpr int kChannelRed = 1;
constexpr int kChannelGreen = 2;
constexpr int kChannelBlue = 4;
constexpr int kAllChannels = kChannelRed | kChannelGreen | kChannelBlue;

// The mask bit of channel 0 (red), 1 (green) or 2 (blue) of a pixel.
constexpr int ChannelBit(int channel)
{
    return 1 << channel;
}

}  // namespace ZAV
