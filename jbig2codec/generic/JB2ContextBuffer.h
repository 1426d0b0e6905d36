// The ring of lines from which the generic region coders form the context
// of every pixel. Each ring line has 128 pixels of zero margin on both sides
// and the ring holds 129 lines, so that every template and AT pixel outside
// the bitmap reads as 0 without a test.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/support/JB2Status.h"

namespace ZAV {

constexpr uint32_t kJB2ContextRingLines = 129;
// With every AT pixel at its nominal place no pixel lies more than two lines
// up, so three ring lines serve: a dictionary's hundreds of small bitmaps
// then clear 3 lines each instead of 129.
constexpr uint32_t kJB2ContextNominalRingLines = 3;
constexpr uint32_t kJB2ContextMarginBytes = 16;

struct JB2ContextBuffer {
    uint32_t line;  // number of the current line
    uint32_t width;
    uint32_t height;
    uint32_t bytesPerLine;
    uint32_t stride;     // bytes per line plus both margins
    uint32_t ringLines;  // kJB2ContextRingLines, or 3 for nominal AT pixels
    uint8_t* ring;
    uint8_t* current;  // the three ring lines in use, at their first margin byte
    uint8_t* above;
    uint8_t* above2;
    uint8_t gbTemplate;
    uint8_t nominal;  // 1 when every AT pixel is at its nominal place
    int8_t atX[4];
    int8_t atY[4];
};

// How the nominal context of a template is cut from windows over the lines
// above (T.88 6.2.5.3, Figures 3 to 6): for pixel j (0 to 7) of a byte, the
// three bytes (before, this, after) of a line above, shifted right by
// shift - j and masked, give that line's template pixels, placed at `place`
// in the context; the pixels of the current line left of x fill the low bits.
struct JB2TemplateWindows {
    uint8_t shift2, mask2, place2;  // line y - 2 (mask 0: not in the template)
    uint8_t shift1, mask1, place1;  // line y - 1, nominal A1 included
    uint8_t currentMask;            // line y, pixels x - 4 to x - 1 at most
};
constexpr JB2TemplateWindows kJB2TemplateWindows[4] = {
    {13, 0x1F, 11, 12, 0x7F, 4, 0xF},  // x-2..x+2 of y-2; x-3..x+3 of y-1 (A2, A1 nominal)
    {13, 0x0F, 9, 12, 0x3F, 3, 0x7},   // x-1..x+2 of y-2; x-2..x+3 of y-1
    {14, 0x07, 7, 13, 0x1F, 2, 0x3},   // x-1..x+1 of y-2; x-2..x+2 of y-1
    {13, 0x00, 0, 13, 0x3F, 4, 0xF},   // x-3..x+2 of y-1
};

// Number of AT pixels of a template (4 for template 0, else 1).
uint32_t JB2GenericATCount(uint8_t gbTemplate);
// 0 when the AT pixels of a template all lie above the current pixel or left
// of it on its line; -19 (with a message) for one at or after it.
JB2_Error JB2GenericCheckAT(uint8_t gbTemplate, const int8_t* atX, const int8_t* atY, JB2Message* message);
// 0 when a bitmap of this size can be coded; -22 (with a message) beyond the ceilings.
JB2_Error JB2GenericCheckSize(uint32_t width, uint32_t height, JB2Message* message);

// With nominal set the AT offsets may be null. AT offsets equal to the
// nominal ones count as nominal.
JB2_Error Context_Buffer_Create(JB2ContextBuffer** out, JB2Memory* memory, uint32_t width, uint32_t height,
                                uint8_t gbTemplate, uint8_t nominal, const int8_t* atX, const int8_t* atY,
                                JB2Message* message);
// Moves on one line; refused (-500) when the next line would reach the height.
JB2_Error Context_Buffer_Next_Line(JB2ContextBuffer* buffer);
// Copies a packed line into the current ring line, the bits past the width cleared.
void Context_Buffer_Put_Line(JB2ContextBuffer* buffer, const uint8_t* line);
// Context number of pixel x of the current line.
uint32_t Context_Buffer_Context(const JB2ContextBuffer* buffer, uint32_t x);
// The context with every AT pixel read from its place (T.88 6.2.5.4), for a
// buffer whose AT pixels are not all nominal.
uint32_t Context_Buffer_Apply_AT(const JB2ContextBuffer* buffer, uint32_t x, uint32_t context);
// The context with A1 taken from pixel x + offset of the current line.
uint32_t Context_Buffer_Context_Current_AT(const JB2ContextBuffer* buffer, uint32_t x, int32_t offset);
// The context number that codes a line's typical-prediction bit.
uint32_t Context_Buffer_TP_Context(const JB2ContextBuffer* buffer);
JB2_Error Context_Buffer_End(JB2ContextBuffer** buffer, JB2Memory* memory);

// Pixel operations on the current line.
inline void Context_Buffer_Set_Pixel(JB2ContextBuffer* buffer, uint32_t x)
{
    buffer->current[kJB2ContextMarginBytes + x / 8] |= uint8_t(0x80 >> (x % 8));
}
void Context_Buffer_Clear_Line(JB2ContextBuffer* buffer);
void Context_Buffer_Copy_Above(JB2ContextBuffer* buffer);
void Context_Buffer_Get_Line(const JB2ContextBuffer* buffer, uint8_t* line);
// 1 when the current line equals the line above.
bool Context_Buffer_Line_Repeats(const JB2ContextBuffer* buffer);

}  // namespace ZAV
