// Ceilings that keep hostile or broken PDF files from driving recursion,
// allocation or numbering beyond what a sound file can need.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ZAVPDF {

// Highest object number a file may use; the PDF format itself stops at 2^23 - 1.
constexpr int32_t kPDFMaxObjectNumber = 8388607;

// Most entries one cross-reference table may hold (one per possible object number).
constexpr int64_t kPDFMaxCrtEntries = int64_t(kPDFMaxObjectNumber) + 1;

// A file subsection that is further away than this from an existing section
// gets its own section instead of widening that one over the gap.
constexpr int64_t kPDFMaxCrtGapToMerge = 1024;

// Deepest nesting of walks over the object graph (copying, collecting,
// writing); keeps the stack bounded for chains of references in a file.
constexpr int kPDFMaxWalkDepth = 4000;

// Deepest page tree a walk down /Kids follows before giving up.
constexpr int kPDFMaxPageTreeDepth = 256;

// Largest byte offset a classic cross-reference row can hold as an int.
constexpr int64_t kPDFMaxFileOffset = INT32_MAX;

// Deepest nesting of arrays and dictionaries the parser reads; far above
// what real files use, far below what would exhaust the stack.
constexpr int kPDFMaxNestingDepth = 256;

// Longest chain of objects read while another is being read (a stream
// /Length that is itself an indirect object, and so on).
constexpr int kPDFMaxLoadDepth = 32;

// Longest number text kept while reading: a double written without an
// exponent needs at most about 330 characters.
constexpr size_t kPDFMaxNumberTextLength = 400;

// A file may carry bytes before its "%PDF-" header, but only this many.
constexpr int64_t kPDFMaxHeaderOffset = 1024;

// The end of a file is searched this far back for "%%EOF" (trailing garbage
// after the marker is common).
constexpr int64_t kPDFTailWindow = 1024;

// Deepest tree of interactive form fields followed through /Kids.
constexpr int kPDFMaxFieldTreeDepth = 64;

// Bytes of a page tree kid looked at to tell a plain page without parsing
// it; a longer page object is parsed when the tree is read.
constexpr int64_t kPDFPageSkimWindow = 4096;

}  // namespace ZAVPDF
