/* A stand-in for the image-processing library KORVEX55, for tests of the
 * code that drives it. Built as a real shared object named KORVEX55.so in a
 * folder of its own (ZAV_FAKE_KORVEX55_DIR in the test programs), it exports
 * every entry point of outside/korvex55/KORVEX55.h and records each call as
 * one line of text, the operation's name without "KORV_" and its arguments:
 *
 *     Create(1, 4, 2, 8)
 *     AttachNoFree(1, 0x602000000010, 8, 4, 2, 8)
 *     Add(1, 2)
 *     FilterUserDefined(1, 2, [0 1 0 1 -4 1 0 1 0], 3, 3, 1, 0, 0)
 *
 * Handles are decimal numbers counted from 1; pixel addresses are written
 * with "%p"; doubles with "%g"; integer and double arrays whose length the
 * call gives as "[...]" (a null array as "null"); out arguments as "out".
 *
 * Every call succeeds unless a test chose a status for its operation. The
 * fake keeps, per processing object, the buffer it made (Create) or borrowed
 * (AttachNoFree, AttachNoFreeEx) and answers the size queries and
 * GetImageMemory from it; box queries give the source's own box (0, 0,
 * width, height), WarpPerspectiveCoefficients the identity; the filter size
 * queries leave their pair as the caller set it. Nothing else touches pixels
 * unless a test asks for a fill.
 *
 * The control functions below are exported beside the entry points; tests
 * reach them through dlsym on the loaded library. Its state lives as long
 * as the library stays loaded.
 */
#ifndef FAKE_KORVEX55_H
#define FAKE_KORVEX55_H

#include <stdint.h>

#define FAKEKORV_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* Forgets the recorded calls, the chosen statuses, fills and texts; handles
 * go on counting and live processing objects stay. */
FAKEKORV_API void FAKEKORV_Reset(void);

/* From now on the operation (its name without "KORV_") returns the status,
 * and KORV_GetError gives the text; status 0 lets it succeed again. A status
 * for "CreateCZAVAdvancedImgProc" makes it return the handle 0. */
FAKEKORV_API void FAKEKORV_SetStatus(const char* operation, int32_t status, const char* text);

/* After the operation succeeds, the buffer of the processing object it was
 * called on is filled with the byte; -1 stops that. */
FAKEKORV_API void FAKEKORV_SetFill(const char* operation, int32_t byte);

/* What the three text queries give (copied, up to 255 characters); a null
 * pointer, as at the start, makes the query give a null text. */
FAKEKORV_API void FAKEKORV_SetTexts(const char* version, const char* processorDetected, const char* codeUsed);

/* Every call since the last reset, one line each; valid until the next call
 * into the library. */
FAKEKORV_API const char* FAKEKORV_Calls(void);

/* Processing objects made and not yet freed. */
FAKEKORV_API int32_t FAKEKORV_LiveHandles(void);

#ifdef __cplusplus
}
#endif

#endif /* FAKE_KORVEX55_H */
