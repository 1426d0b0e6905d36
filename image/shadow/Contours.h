// Contour profiles of the layer effects: n bytes that map a distance from
// the mask edge (0 .. n - 1) to an intensity.
#pragma once

#include <vector>

#include "foundation/text/String.h"
#include "platform/WinTypes.h"

namespace ZAV {

class CBaseContour {
public:
    // A profile of n zero bytes.
    CBaseContour(const char* name, int count);
    CBaseContour(const CBaseContour& other) = default;
    CBaseContour& operator=(const CBaseContour& other) = default;
    virtual ~CBaseContour() = default;

    // Copies the bytes over the profile; the count stays the constructor's,
    // so at most that many bytes are taken.
    void SetProfile(const BYTE* bytes, int count);

    const String& GetName() const { return m_name; }
    const BYTE* GetProfile() const { return m_profile.data(); }
    int GetCount() const { return m_count; }
    BYTE At(int index) const { return m_profile[static_cast<size_t>(index)]; }

protected:
    void Set(int index, double value);

private:
    String m_name;
    std::vector<BYTE> m_profile;
    int m_count;
};

// High in the middle, 0 at both ends: 255 - 1020 (i/n - 0.5)^2.
class CConeContour : public CBaseContour {
public:
    CConeContour(const char* name, int count);
};

// The cone turned over: 1020 (i/n - 0.5)^2, 255 at both ends.
class CInvertedConeContour : public CBaseContour {
public:
    CInvertedConeContour(const char* name, int count);
};

// Two teeth, in integer steps of 512 / n.
class CSawtoothContour : public CBaseContour {
public:
    CSawtoothContour(const char* name, int count);
};

// Falls linearly from 255: 255 - 255 i / n.
class CLineContour : public CBaseContour {
public:
    CLineContour(const char* name, int count);
};

}  // namespace ZAV
