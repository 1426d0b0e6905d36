// The image library reaches the advanced image-processing object only
// through seams it leaves open (the antialiasing drawer's object factory and
// the 16-bit reduction's processor factory); this fills them with advanced
// objects. Only the first call registers, so a factory set later stays.
#pragma once

namespace ZAV {

void RegisterAdvancedImgProcSeams();

}  // namespace ZAV
