// Line-oriented text output over a data source: each item on its own line,
// lines ended with CR LF.
#pragma once

#include <cstdint>
#include <string>

namespace ZAV {

class CDataSource;

namespace Storage {

class Out {
public:
    virtual ~Out() {}
    virtual void WriteLine(std::string text) = 0;
    virtual void WriteDouble(double value) = 0;
    virtual void WriteFloat(float value) = 0;
    virtual void WriteInt(int32_t value) = 0;
    virtual void WriteShort(int16_t value) = 0;
};

}  // namespace Storage

class CDataSourceDXFStream : public Storage::Out {
public:
    explicit CDataSourceDXFStream(CDataSource& owner) : m_owner(owner) {}

    // The text, then CR LF.
    void WriteLine(std::string text) override;
    // "%.6f" then CR LF.
    void WriteDouble(double value) override;
    void WriteFloat(float value) override;
    // A blank, the decimal value, then CR LF.
    void WriteInt(int32_t value) override;
    void WriteShort(int16_t value) override;

private:
    CDataSource& m_owner;
};

}  // namespace ZAV
