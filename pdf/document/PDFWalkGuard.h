// Bounds the depth of recursive walks over the object graph, which a file
// controls through its nesting and its chains of references.
#pragma once

namespace ZAVPDF {

class CPDFWalkGuard {
public:
    CPDFWalkGuard();  // throws when the walk is already at its deepest
    ~CPDFWalkGuard();
    CPDFWalkGuard(const CPDFWalkGuard&) = delete;
    CPDFWalkGuard& operator=(const CPDFWalkGuard&) = delete;

    static int CurrentDepth();
};

}  // namespace ZAVPDF
