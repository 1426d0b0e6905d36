// The run-length code writer of CGIFBase: runs of one pixel value are coded
// with codes the decoder's table is sure to hold (the growing strings of that
// pixel built since the last clear), so no string table is kept here. Any
// GIF decoder reads the result.
#include "formats/gif/GifBase.h"

namespace ZAV {

namespace {

// Blocks of this writer hold 255 bytes.
constexpr size_t kRunBlockBytes = 255;
// A small first code width clears late: its codes are cheap.
constexpr int kSmallCodeBits = 3;
constexpr int kSmallClearPoint = 9;

int IntegerSquareRoot(int value)
{
    if (value < 2)
        return value;
    int root = 1;
    for (int v = value; v != 0; v >>= 2)
        root <<= 1;
    for (;;) {
        const int next = (value / root + root) / 2;
        if (next == root || next == root + 1)
            return root;
        root = next;
    }
}

}  // namespace

// The codes a run of count pixels costs when every string of the pixel
// has to be built anew: 1 + 2 + ... + n pixels take n codes.
int CGIFBase::RunTriangle(int count) const
{
    const int64_t repeatCodes = m_run.maxOutCount;
    const int64_t perRepeat = repeatCodes * (repeatCodes + 1) / 2;
    int cost = 0;
    int64_t rest = count;
    while (rest >= perRepeat) {
        cost += static_cast<int>(repeatCodes);
        rest -= perRepeat;
    }
    if (rest > 0) {
        int64_t n = IntegerSquareRoot(static_cast<int>(rest));
        while (n * (n + 1) >= 2 * rest)
            --n;
        while (n * (n + 1) < 2 * rest)
            ++n;
        cost += static_cast<int>(n);
    }
    return cost;
}

void CGIFBase::ResetRunState()
{
    m_outBits = m_run.initialBits;
    m_run.bump = m_run.bumpInitial;
    m_run.clearPoint = m_run.clearInitial;
    m_run.outCount = 0;
    m_run.tableLength = 0;
    m_run.justCleared = true;
}

void CGIFBase::RunWriteClear()
{
    EmitCode(m_outClear);
    ResetRunState();
}

void CGIFBase::RunOutputPlain(int code)
{
    m_run.justCleared = false;
    EmitCode(code);
    ++m_run.outCount;
    if (m_run.outCount >= m_run.bump) {
        ++m_outBits;
        m_run.bump += 1 << (m_outBits - 1);
    }
    if (m_run.outCount >= m_run.clearPoint)
        RunWriteClear();
}

void CGIFBase::RunRestoreClearPoint()
{
    m_run.clearPoint = m_run.clearInitial;
    if (m_run.outCount >= m_run.clearPoint)
        RunWriteClear();
}

void CGIFBase::RunFlushFromClear(int count)
{
    m_run.clearPoint = m_run.maxOutCount;
    m_run.tablePixel = m_run.pixel;
    int n = 1;
    while (count > 0) {
        if (n == 1) {
            m_run.tableLength = 1;
            RunOutputPlain(m_run.pixel);
            --count;
        } else if (count >= n) {
            m_run.tableLength = n;
            RunOutputPlain(m_run.baseCode + n - 2);
            count -= n;
        } else if (count == 1) {
            ++m_run.tableLength;
            RunOutputPlain(m_run.pixel);
            count = 0;
        } else {
            ++m_run.tableLength;
            RunOutputPlain(m_run.baseCode + count - 2);
            count = 0;
        }
        n = m_run.outCount == 0 ? 1 : n + 1;
    }
    RunRestoreClearPoint();
}

void CGIFBase::RunFlushClearOrRepeat(int count)
{
    if (1 + RunTriangle(count) < count) {
        RunWriteClear();
        RunFlushFromClear(count);
        return;
    }
    for (; count > 0; --count)
        RunOutputPlain(m_run.pixel);
}

void CGIFBase::RunFlushWithTable(int count)
{
    int repeats = count / m_run.tableLength;
    int leftover = count % m_run.tableLength;
    int extra = leftover ? 1 : 0;
    if (m_run.outCount + repeats + extra > m_run.maxOutCount) {
        repeats = m_run.maxOutCount - m_run.outCount;
        leftover = count - repeats * m_run.tableLength;
        extra = 1 + RunTriangle(leftover);
    }
    if (1 + RunTriangle(count) < repeats + extra) {
        RunWriteClear();
        RunFlushFromClear(count);
        return;
    }
    m_run.clearPoint = m_run.maxOutCount;
    for (; repeats > 0; --repeats)
        RunOutputPlain(m_run.baseCode + m_run.tableLength - 2);
    if (leftover) {
        if (m_run.justCleared)
            RunFlushFromClear(leftover);
        else if (leftover == 1)
            RunOutputPlain(m_run.pixel);
        else
            RunOutputPlain(m_run.baseCode + leftover - 2);
    }
    RunRestoreClearPoint();
}

void CGIFBase::RunFlush()
{
    if (m_run.count == 1)
        RunOutputPlain(m_run.pixel);
    else if (m_run.justCleared)
        RunFlushFromClear(m_run.count);
    else if (m_run.tableLength < 2 || m_run.tablePixel != m_run.pixel)
        RunFlushClearOrRepeat(m_run.count);
    else
        RunFlushWithTable(m_run.count);
    m_run.count = 0;
}

void CGIFBase::WriteRunLengthCodes(int initialBits)
{
    StartCodeOutput(initialBits, kRunBlockBytes);
    m_run = GifRunState();
    m_run.baseCode = m_outEnd + 1;
    m_run.initialBits = initialBits;
    m_run.bumpInitial = m_outClear - 1;
    m_run.clearInitial = initialBits <= kSmallCodeBits ? kSmallClearPoint : m_outClear - 2;
    m_run.maxOutCount = (kGifMaxCodes - 3) - m_outClear;
    ResetRunState();
    EmitCode(m_outClear);
    for (;;) {
        const int pixel = NextPixel();
        if (m_run.count > 0 && pixel != m_run.pixel)
            RunFlush();
        if (pixel < 0)
            break;
        if (pixel == m_run.pixel) {
            ++m_run.count;
        } else {
            m_run.pixel = pixel;
            m_run.count = 1;
        }
    }
    EmitCode(m_outEnd);
    FinishCodeOutput();
}

}  // namespace ZAV
