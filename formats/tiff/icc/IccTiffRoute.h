// The ICC route of the TIFF decoder: the directory's pixels converted to
// 24-bit RGB through the file's embedded profile (or the image's source
// profile) and the image's destination profile.
#pragma once

namespace ZAV {

struct TiffRoute;

// The image's ICC conversion is on with a destination profile, and the file
// has a profile or the image a source profile.
bool WantsIccConversion(const TiffRoute& route);
// Throws CTextException (no decoder prefix) with the conversion's texts.
void DecodeIccRoute(const TiffRoute& route);

}  // namespace ZAV
