// The texts of the three text queries; each lives as long as the library.
#pragma once

namespace KORVEX55 {

const char* LibraryVersion();
// The processor the library runs on, as far as it can tell.
const char* ProcessorDetected();
// Which code the operations run: always the portable C++ code.
const char* ProcessorCodeUsed();

}  // namespace KORVEX55
