#include "image/core/ImageInfoKeys.h"

namespace ZAV {

const char* const g_imageInfoKeys[kImageInfoKeyCount] = {
    "FILENAME",  "TYPE",     "SUBTYPE",          "LEFT",       "TOP",            "WIDTH",     "HEIGHT", "DPIX",
    "DPIY",      "COLORDEPTH", "BITSPERSAMPLE",  "SAMPLESPERPIXEL", "COLORINFO", "COMPRESSION", "FRAMES", "XML",
    "IP",        "IPTC",     "UUID",             "UUIDID",     "UUIDINFO",       "COMMENT",   "CHANNELS", "LAYERS",
    "VERSION",   "INTERLACED", "WARNING",        "ERROR",      "TRANSPARENTCOLOR", "FRAMEDELAY", "DISPOSALMETHOD",
};

const char* GetImageInfoKey(int index)
{
    if (index < 0 || index >= kImageInfoKeyCount)
        return nullptr;
    return g_imageInfoKeys[index];
}

}  // namespace ZAV
