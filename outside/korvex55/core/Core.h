// What an operation group needs of the library's core, in one include:
//
// - RunOperation (EntryPoint.h): the frame of an entry point; finds the
//   processing object by handle and turns failures into status and text.
// - Operand (EntryPoint.h): another processing object named by a handle.
// - Fail, Format (Failure.h): fail the operation with a status and a text.
// - ImageView (ImageView.h): width, height, bitsPerPixel, bytesPerLine, pixels.
// - Processor (Processor.h): Image(), PrepareDestination(width, height, depth)
//   for a result of another size or depth, ScaleFactor().
// - SourceImage (SourceImage.h): a source safe to read while writing the
//   destination; take it before PrepareDestination.
// - RequireImage, RequireDepth, RequireOwnImage, RequireSameShape, RequireRange,
//   RequirePointer: the checks, each failing with a text that names what it found.
// - ForEachRow, ForEachRowPair, SaturateByte (Rows.h): walks over sample bytes.
#pragma once

#include "outside/korvex55/core/Checks.h"
#include "outside/korvex55/core/EntryPoint.h"
#include "outside/korvex55/core/Failure.h"
#include "outside/korvex55/core/ImageView.h"
#include "outside/korvex55/core/Limits.h"
#include "outside/korvex55/core/Processor.h"
#include "outside/korvex55/core/Rows.h"
#include "outside/korvex55/core/SourceImage.h"
#include "outside/korvex55/core/Status.h"
