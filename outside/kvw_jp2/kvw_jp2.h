/* kvw_jp2: JPEG 2000 (ITU-T T.800) codec library.
 *
 * Our own JP2 box reader and writer (T.800 Annex I) around OpenJPEG's
 * codestream coder. A flat C interface: opaque handles, 32-bit status codes
 * (0 success, negative failure) and callbacks the caller supplies for memory
 * and data. Records hold fixed-width fields; pointers and callback values are
 * passed pointer-sized (intptr_t).
 *
 * Decompression properties (JP2_Decompress_GetProp / _SetProp):
 *   3  number of codestream components
 *   20 colour space: 10 grey, 20 sRGB, 30 sYCC, 40 ICC, 50 CMYK, 60 CIELab;
 *      +1 when a palette (pclr) maps the components
 *   1, 2 width and height of a component; 4 its bits; 5 its signed flag
 *   21 sample delivery: 1 every component on the full grid (subsampled
 *      components repeated over the samples they cover), 0 own grids
 *   50, 51 output callback (JP2_Callback_Output) and its user value
 * Samples reach the output callback as (bits + 7) / 8 bytes each, big-endian,
 * signed values in two's complement; palette indices are not mapped.
 *
 * Compression properties (JP2_Compress_SetProp):
 *   9 container (1 JP2 file, 0 raw codestream); 1 width; 2 height; 4 bits (8)
 *   20 colour space (10 grey, 20 RGB, or palette after JP2_Compress_SetPalette)
 *   71 wavelet (0 reversible 5/3, 1 irreversible 9/7); 72 decomposition levels
 *   62 quality layers; 65 code-block style bits (1 bypass, 2 reset, 4 restart,
 *   8 vertically causal, 16 predictable termination, 32 segmentation symbols)
 *   61 progression (0 LRCP, 1 RLCP, 2 RPCL, 3 PCRL, 4 CPRL)
 *   6, 7 tile width and height (0 one tile); 14, 15 code-block width, height
 *   63 target size in bytes
 *   40 input callback, 41 its user value, 42 output callback, 43 its user value
 */
#ifndef KVW_JP2_H
#define KVW_JP2_H

#include <stdint.h>

#if defined(KVW_JP2_BUILDING)
#define JP2_EXPORT __attribute__((visibility("default")))
#else
#define JP2_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t JP2_Error;
typedef struct JP2_Decomp_Rec* JP2_Decomp_Handle;
typedef struct JP2_Comp_Rec* JP2_Comp_Handle;

enum {
    cJP2_Error_OK = 0,
    cJP2_Error_Invalid_Handle = -1,
    cJP2_Error_Invalid_Argument = -2,
    cJP2_Error_Callback = -3,
    cJP2_Error_Unknown_Property = -4,
    cJP2_Error_Not_Available = -5,
    cJP2_Error_Out_Of_Memory = -8,
    cJP2_Error_Read = -10,
    cJP2_Error_Invalid_File = -11,
    cJP2_Error_Too_Large = -12,
    cJP2_Error_Invalid_Codestream = -13,
    cJP2_Error_Encoder = -20,
    cJP2_Error_Output = -29,
    cJP2_Error_Unsupported = -35
};

enum {
    cJP2_Prop_Width = 1,
    cJP2_Prop_Height = 2,
    cJP2_Prop_Components = 3,
    cJP2_Prop_Bits = 4,
    cJP2_Prop_Signed = 5,
    cJP2_Prop_Tile_Width = 6,
    cJP2_Prop_Tile_Height = 7,
    cJP2_Prop_Container = 9,
    cJP2_Prop_Code_Block_Width = 14,
    cJP2_Prop_Code_Block_Height = 15,
    cJP2_Prop_Colour_Space = 20,
    cJP2_Prop_Sample_Delivery = 21,
    cJP2_Prop_Input_Callback = 40,
    cJP2_Prop_Input_User = 41,
    cJP2_Prop_Output_Callback = 42,
    cJP2_Prop_Output_User = 43,
    cJP2_Prop_Decomp_Output_Callback = 50,
    cJP2_Prop_Decomp_Output_User = 51,
    cJP2_Prop_Progression = 61,
    cJP2_Prop_Layers = 62,
    cJP2_Prop_Target_Size = 63,
    cJP2_Prop_Code_Block_Style = 65,
    cJP2_Prop_Wavelet = 71,
    cJP2_Prop_Levels = 72
};

enum {
    cJP2_Space_Grey = 10,
    cJP2_Space_sRGB = 20,
    cJP2_Space_sYCC = 30,
    cJP2_Space_ICC = 40,
    cJP2_Space_CMYK = 50,
    cJP2_Space_CIELab = 60
};

typedef void* (*JP2_Callback_Alloc)(uint32_t size, void* user);
typedef int32_t (*JP2_Callback_Free)(void* block, void* user);
/* Copies up to size bytes from offset into buffer; returns the count copied. */
typedef uint32_t (*JP2_Callback_Read)(uint8_t* buffer, uint32_t offset, uint32_t size, void* user);
/* Takes count samples of a component's row from column on; 0 to go on. */
typedef int32_t (*JP2_Callback_Output)(const uint8_t* samples, uint32_t component, uint32_t row, uint32_t column,
                                       uint32_t count, void* user);
/* Fills count 8-bit samples of a component's row from column on; 0 to go on. */
typedef int32_t (*JP2_Callback_Input)(uint8_t* destination, uint32_t component, uint32_t row, uint32_t column,
                                      uint32_t count, void* user);
/* Writes size bytes at offset of the output; 0 on success. */
typedef int32_t (*JP2_Callback_Write)(const uint8_t* buffer, uint32_t offset, uint32_t size, void* user);

/* A cdef entry: type 0 colour, 1 opacity, 2 premultiplied opacity, 3 other;
 * association 1-based colour channel (0 the whole picture). */
typedef struct JP2_Channel_Def {
    uint16_t channel;
    uint16_t type;
    uint16_t association;
    uint16_t reserved;
} JP2_Channel_Def;

/* One palette column: entries values scaled to 8 bits when read. */
typedef struct JP2_Palette_Column {
    uint32_t* values;
    uint8_t bits;
    uint8_t isSigned;
    uint8_t reserved[6];
} JP2_Palette_Column;

typedef struct JP2_Palette {
    uint32_t entries;
    uint32_t columns;
    JP2_Palette_Column* column;
} JP2_Palette;

/* A UUID as 32 upper-case hexadecimal digits and a terminating zero. */
typedef struct JP2_UUID_Text {
    char text[33];
} JP2_UUID_Text;

JP2_EXPORT JP2_Error JP2_Decompress_Start(JP2_Decomp_Handle* handle, JP2_Callback_Alloc alloc, void* allocUser,
                                          JP2_Callback_Free release, void* releaseUser, JP2_Callback_Read read,
                                          void* readUser);
JP2_EXPORT JP2_Error JP2_Decompress_SetProp(JP2_Decomp_Handle handle, int32_t id, intptr_t value);
JP2_EXPORT JP2_Error JP2_Decompress_GetProp(JP2_Decomp_Handle handle, int32_t id, int32_t* value, int32_t tile,
                                            int32_t component);
JP2_EXPORT JP2_Error JP2_Decompress_GetChannelDefs(JP2_Decomp_Handle handle, const JP2_Channel_Def** defs,
                                                   uint32_t* count);
JP2_EXPORT JP2_Error JP2_Decompress_GetPalette(JP2_Decomp_Handle handle, const JP2_Palette** palette);
JP2_EXPORT JP2_Error JP2_Decompress_GetICC(JP2_Decomp_Handle handle, const uint8_t** profile, uint32_t* size);
/* range and offset of L, a and b (T.800 M.11.7.4) */
JP2_EXPORT JP2_Error JP2_Decompress_GetLAB(JP2_Decomp_Handle handle, uint32_t values[6]);
/* which 0: capture resolution (resc), 1: display resolution (resd); dots per inch, unit set to 1. */
JP2_EXPORT JP2_Error JP2_Decompress_GetResolution(JP2_Decomp_Handle handle, double* x, double* y, int32_t* unit,
                                                  int32_t reserved, int32_t which);
JP2_EXPORT JP2_Error JP2_Decompress_Image(JP2_Decomp_Handle handle);
JP2_EXPORT JP2_Error JP2_Decompress_End(JP2_Decomp_Handle handle);

JP2_EXPORT JP2_Error JP2_Decompress_GetXML_Num(JP2_Decomp_Handle handle, uint32_t* count);
JP2_EXPORT JP2_Error JP2_Decompress_GetXML_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data,
                                                uint32_t* size);
JP2_EXPORT JP2_Error JP2_Decompress_GetIP_Num(JP2_Decomp_Handle handle, uint32_t* count);
JP2_EXPORT JP2_Error JP2_Decompress_GetIP_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data,
                                               uint32_t* size);
JP2_EXPORT JP2_Error JP2_Decompress_GetIPTC_Num(JP2_Decomp_Handle handle, uint32_t* count);
JP2_EXPORT JP2_Error JP2_Decompress_GetIPTC_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data,
                                                 uint32_t* size);
JP2_EXPORT JP2_Error JP2_Decompress_GetUUID_Num(JP2_Decomp_Handle handle, uint32_t* count);
JP2_EXPORT JP2_Error JP2_Decompress_GetUUID_Id(JP2_Decomp_Handle handle, uint32_t index, JP2_UUID_Text* id);
JP2_EXPORT JP2_Error JP2_Decompress_GetUUID_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data,
                                                 uint32_t* size);
JP2_EXPORT JP2_Error JP2_Decompress_GetUUID_Info_Num(JP2_Decomp_Handle handle, uint32_t* count);
JP2_EXPORT JP2_Error JP2_Decompress_GetUUID_Info_Data(JP2_Decomp_Handle handle, uint32_t index,
                                                      const JP2_UUID_Text** ids, uint32_t* idCount, const char** url);
JP2_EXPORT JP2_Error JP2_Decompress_GetCOM_Num(JP2_Decomp_Handle handle, uint32_t* count);
JP2_EXPORT JP2_Error JP2_Decompress_GetCOM_Data(JP2_Decomp_Handle handle, uint32_t index, const uint8_t** data,
                                                uint32_t* size);

/* Reads the colour space signature, profile class and version of an ICC profile's header. */
JP2_EXPORT JP2_Error JP2_General_CheckICC(const uint8_t* profile, uint32_t size, uint32_t* colourSpace,
                                          uint32_t* profileClass, uint32_t* version);

JP2_EXPORT JP2_Error JP2_Compress_Start(JP2_Comp_Handle* handle, JP2_Callback_Alloc alloc, void* allocUser,
                                        JP2_Callback_Free release, void* releaseUser, void* outputUser);
JP2_EXPORT JP2_Error JP2_Compress_SetProp(JP2_Comp_Handle handle, int32_t id, intptr_t value, int32_t tile,
                                          int32_t component);
JP2_EXPORT JP2_Error JP2_Compress_SetXML_Data(JP2_Comp_Handle handle, const uint8_t* data, uint32_t size);
JP2_EXPORT JP2_Error JP2_Compress_SetIP_Data(JP2_Comp_Handle handle, const uint8_t* data, uint32_t size);
JP2_EXPORT JP2_Error JP2_Compress_SetIPTC_Data(JP2_Comp_Handle handle, const uint8_t* data, uint32_t size);
JP2_EXPORT JP2_Error JP2_Compress_SetUUID_Data(JP2_Comp_Handle handle, const uint8_t id[16], const uint8_t* data,
                                               uint32_t size);
/* ids: count blocks of 16 bytes; urlSize counts the terminating zero. */
JP2_EXPORT JP2_Error JP2_Compress_SetUUID_Info(JP2_Comp_Handle handle, const uint8_t* ids, uint32_t count,
                                               const char* url, uint32_t urlSize);
/* Recorded only: OpenJPEG has no region-of-interest coding. */
JP2_EXPORT JP2_Error JP2_Compress_SetROI(JP2_Comp_Handle handle, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
JP2_EXPORT JP2_Error JP2_Compress_SetROI_Enhance(JP2_Comp_Handle handle, int32_t enhance);
/* Dots per inch, Y first; which 0 capture (resc). */
JP2_EXPORT JP2_Error JP2_Compress_SetResolution(JP2_Comp_Handle handle, uint32_t dpiY, uint32_t dpiX, int32_t unit,
                                                int32_t reserved, int32_t which);
JP2_EXPORT JP2_Error JP2_Compress_SetPalette(JP2_Comp_Handle handle, const JP2_Palette* palette);
JP2_EXPORT JP2_Error JP2_Compress_Image(JP2_Comp_Handle handle);
JP2_EXPORT JP2_Error JP2_Compress_End(JP2_Comp_Handle handle);

#ifdef __cplusplus
}
#endif

#endif
