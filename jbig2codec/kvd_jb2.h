/* kvd_jb2: JBIG2 (ITU-T T.88) codec library.
 *
 * A flat C interface: opaque handles, 32-bit status codes and callbacks the
 * caller supplies for memory, data and messages. The library keeps no global
 * state; every block it holds comes from the caller's allocation callback.
 */
#ifndef KVD_JB2_H
#define KVD_JB2_H

#include <stdint.h>

#if defined(KVD_JB2_BUILDING)
#define JB2_EXPORT __attribute__((visibility("default")))
#else
#define JB2_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t JB2_Error;

typedef struct JB2_Compress_Handle_Rec* JB2_Handle_Compress;
typedef struct JB2_Document_Handle_Rec* JB2_Handle_Document;

/* Status codes: 0 success, negative failure. */
enum {
    cJB2_Error_OK = 0,
    cJB2_Error_Invalid_Handle = -1,
    cJB2_Error_Callback_Allocation = -2,
    cJB2_Error_Callback_No_Free = -3,
    cJB2_Error_Callback_Read = -4,
    cJB2_Error_Allocation_Failure = -5,
    cJB2_Error_Free_Failure = -6,
    cJB2_Error_Invalid_Pointer = -7,
    cJB2_Error_Invalid_Property_Key = -8,
    cJB2_Error_Invalid_Property_Value = -11,
    cJB2_Error_Write_Failure = -12,
    cJB2_Error_Read_Failure = -13,
    cJB2_Error_Invalid_File = -14,
    cJB2_Error_Invalid_Index = -16,
    cJB2_Error_Invalid_Cache_Style = -17,
    cJB2_Error_Invalid_Export_Format = -18,
    cJB2_Error_Invalid_Segment_Data = -19,
    cJB2_Error_Compression_Started = -20,
    cJB2_Error_Compression_Finished = -21,
    cJB2_Error_Not_Yet_Supported = -22,
    cJB2_Error_Output_Failure = -23,
    cJB2_Error_Invalid_Huffman_Table = -24
};

/* Message types. */
enum { cJB2_Message_Info = 1, cJB2_Message_Warning = 11, cJB2_Message_Error = 91 };

/* Property keys of the compression and document functions. */
enum {
    cJB2_Prop_Number_Of_Pages = 10,
    cJB2_Prop_Width = 11,
    cJB2_Prop_Height = 12,
    cJB2_Prop_X_Resolution = 13,
    cJB2_Prop_Y_Resolution = 14,
    cJB2_Prop_Bitmap_Coder = 30,
    cJB2_Prop_Generic_Template = 40,
    cJB2_Prop_Text_Template = 41,
    cJB2_Prop_Symbol_Matching_Mode = 50,
    cJB2_Prop_Symbol_Matching_Quality = 51,
    cJB2_Prop_Encoding_Mode = 60,
    cJB2_Prop_Regions_Supported = 70
};

/* Property values. */
enum {
    cJB2_Coder_MMR = 10,
    cJB2_Coder_Arithmetic = 20,
    cJB2_Matching_None = 0,
    cJB2_Matching_Efficient = 1,
    cJB2_Matching_Single_Dictionary = 2,
    cJB2_Encoding_Lossless = 0,
    cJB2_Encoding_Lossy = 1
};

/* Export formats. */
enum { cJB2_Export_Format_JBIG2_File = 10, cJB2_Export_Format_PDF = 20, cJB2_Export_Format_Stream_For_PDF = 100 };

/* A block of at least `size` bytes, or null. */
typedef void* (*JB2_Alloc_Callback)(uint32_t size, void* user);
/* 0, or a negative status that the library passes on. */
typedef JB2_Error (*JB2_Free_Callback)(void* pointer, void* user);
/* Bytes read at the absolute offset; fewer than asked is the end of the data. */
typedef uint32_t (*JB2_Read_Callback)(uint8_t* buffer, uint32_t offset, uint32_t count, void* user);
/* Bytes written at the absolute offset; anything but `count` is a failure. */
typedef uint32_t (*JB2_Write_Callback)(const uint8_t* buffer, uint32_t offset, uint32_t count, void* user);
/* One piece of a message, at most 67 characters; an empty text ends a message. */
typedef void (*JB2_Message_Callback)(const char* text, int32_t type, void* user);
/* One packed row of the requested region; non-zero stops the decompression. */
typedef JB2_Error (*JB2_Output_Callback)(const uint8_t* row, uint32_t row_number, uint32_t width, uint32_t one,
                                         void* user);

/* Compression functions: one bi-level page given row by row (packed, the
 * leftmost pixel in the highest bit, 1 = black) becomes a one-page document. */
JB2_EXPORT JB2_Error JB2_Compress_Start(JB2_Handle_Compress* handle, JB2_Alloc_Callback alloc, void* alloc_user,
                                        JB2_Free_Callback free, void* free_user, JB2_Message_Callback message,
                                        void* message_user);
JB2_EXPORT JB2_Error JB2_Compress_Set_Property(JB2_Handle_Compress handle, uint32_t key, uint32_t value);
JB2_EXPORT JB2_Error JB2_Compress_Get_Property(JB2_Handle_Compress handle, uint32_t key, uint32_t* value);
JB2_EXPORT JB2_Error JB2_Compress_Line(JB2_Handle_Compress handle, const uint8_t* line);
/* Frees the compression; with a document pointer first hands out the
 * finished page as a document handle. */
JB2_EXPORT JB2_Error JB2_Compress_End(JB2_Handle_Compress* handle, JB2_Handle_Document* document);

/* Document functions: open JBIG2 data, ask for its pages, render a page
 * row by row, export it, move pages between documents. Pages count from 0. */
JB2_EXPORT JB2_Error JB2_Document_Start(JB2_Handle_Document* handle, JB2_Alloc_Callback alloc, void* alloc_user,
                                        JB2_Free_Callback free, void* free_user, JB2_Read_Callback read,
                                        void* read_user, JB2_Message_Callback message, void* message_user);
JB2_EXPORT JB2_Error JB2_Document_Set_Page(JB2_Handle_Document handle, uint32_t page);
JB2_EXPORT JB2_Error JB2_Document_Get_Property(JB2_Handle_Document handle, uint32_t key, uint32_t* value);
/* Delivers the rows top to bottom of [left, right) x [top, bottom) of the
 * current page (all zeros: the whole page) to the output callback. */
JB2_EXPORT JB2_Error JB2_Document_Decompress_Page(JB2_Handle_Document handle, uint32_t scale_up, uint32_t scale_down,
                                                  uint32_t left, uint32_t right, uint32_t top, uint32_t bottom,
                                                  JB2_Output_Callback output, void* output_user);
JB2_EXPORT JB2_Error JB2_Document_Export_Document(JB2_Handle_Document handle, JB2_Write_Callback write,
                                                  void* write_user, uint32_t format);
JB2_EXPORT JB2_Error JB2_Document_Export_Page(JB2_Handle_Document handle, uint32_t page, JB2_Write_Callback write,
                                              void* write_user, uint32_t format);
JB2_EXPORT JB2_Error JB2_Document_Insert_Page(JB2_Handle_Document handle, uint32_t destination,
                                              JB2_Handle_Document source, uint32_t source_page);
JB2_EXPORT JB2_Error JB2_Document_End(JB2_Handle_Document* handle);

#ifdef __cplusplus
}
#endif

#endif /* KVD_JB2_H */
