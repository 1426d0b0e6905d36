// Owners of graphics objects: each deletes its handle when it goes. Pens
// and brushes that cannot be made throw CGdiException; fonts report 0.
#pragma once

#include "platform/gdi/GdiTypes.h"

namespace ZAV {

// Thrown by value when a graphics resource cannot be made.
class CGdiException {
public:
    CGdiException(int line, const char* file, const char* kind) : m_line(line), m_file(file), m_kind(kind) {}
    int m_line;
    const char* m_file;
    const char* m_kind;
};

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Takes a non-null handle (1); null changes nothing (0).
    int Attach(HGDIOBJ handle);
    // Deletes the held handle, if any; the holder is empty afterwards.
    void DeleteObject();
    HGDIOBJ GetHandle() const { return m_handle; }

protected:
    HGDIOBJ m_handle = nullptr;
};

class CBitmap : public CGdiObject {
};

class CPen : public CGdiObject {
public:
    CPen(int style, int width, COLORREF colour);
};

class CBrush : public CGdiObject {
public:
    explicit CBrush(COLORREF colour);
};

class CFont : public CGdiObject {
public:
    // Height in tenths of a point, face name (at most 31 characters kept),
    // the DC whose resolution applies (the screen's when null). 1 or 0.
    int CreatePointFont(int tenthsOfPoint, const char* faceName, HDC dc);
    // lfHeight of the record is in tenths of a point; it becomes a pixel
    // height of the DC's LOGPIXELSY, negative (a character height).
    int CreatePointFontIndirect(const LOGFONTA& logFont, HDC dc);
};

}  // namespace ZAV
