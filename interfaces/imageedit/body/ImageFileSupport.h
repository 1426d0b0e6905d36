// What the image-edit object needs of the image's load and save routes
// beyond the image object's own operations: multipage saves into memory,
// page counts and file information.
#pragma once

#include <cstdint>

namespace ZAV {

class CZAVImg;

// The images as pages of one file in the caller's block (TIFF, PDF, DCX,
// FAX, GIF); the bytes written go to bytesWritten. Refuses format 0 and 255
// with "Invalid Imageformat!" and a picture that needs more than size bytes.
void SaveMultipageToMem(CZAVImg& image, CZAVImg** images, int count, void* block, int64_t size, int format,
                        int64_t* bytesWritten);
// Frames or pages of a file or block (format detected); 0 for single-image
// formats.
int GetPageCountFromFile(CZAVImg& image, const char* path);
int GetPageCountFromMem(CZAVImg& image, const void* data, int64_t size);
// Reads the picture's facts into the image's information list without
// decoding its pixels (format 0 or 255: detect first).
void ReadFileInfoFromFile(CZAVImg& image, const char* path, int format);

}  // namespace ZAV
