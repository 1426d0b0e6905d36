// TEMPORARY local stand-in for the frame objects; replaced before landing.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <cstdarg>
#include <cstdio>

enum : int32_t {
    cJB2_Error_Allocation_Failure = -5,
    cJB2_Error_Write_Failure = -12,
    cJB2_Error_Read_Failure = -13,
    cJB2_Error_Invalid_Segment_Data = -19,
    cJB2_Error_Not_Yet_Supported = -22,
    cJB2_Error_Internal = -500,
};
enum : int32_t { cJB2_Message_Info = 1, cJB2_Message_Warning = 11, cJB2_Message_Error = 91 };

struct JB2_Memory { int dummy; };
inline void* JB2_Memory_Alloc(JB2_Memory*, uint32_t size) { return size ? std::calloc(1, size) : nullptr; }
inline int32_t JB2_Memory_Free(JB2_Memory*, void** p) { if (!p || !*p) return -6; std::free(*p); *p = nullptr; return 0; }

struct JB2_Message { int count; };
inline void JB2_Message_Set(JB2_Message* m, int32_t, const char* fmt, ...) { if (m) m->count++; (void)fmt; }

typedef uint32_t (*JB2_Write_Callback)(const uint8_t*, uint32_t, uint32_t, void*);
struct JB2_Write_Data { JB2_Write_Callback cb; void* user; int32_t refs; };
inline uint32_t JB2_Write_Data_Write(JB2_Write_Data* w, const uint8_t* b, uint32_t off, uint32_t n) { return w && w->cb ? w->cb(b, off, n, w->user) : 0; }
inline void JB2_Write_Data_Add_Reference(JB2_Write_Data* w) { w->refs++; }
inline int32_t JB2_Write_Data_Release(JB2_Write_Data** w, JB2_Memory*) { (*w)->refs--; *w = nullptr; return 0; }
