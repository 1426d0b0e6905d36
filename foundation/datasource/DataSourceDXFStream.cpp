#include "foundation/datasource/DataSourceDXFStream.h"

#include "foundation/datasource/DataSource.h"
#include "foundation/text/String.h"

namespace ZAV {

void CDataSourceDXFStream::WriteLine(std::string text)
{
    m_owner.WriteString(String(text));
    m_owner.WriteString(String("\r\n"));
}

void CDataSourceDXFStream::WriteDouble(double value)
{
    String line;
    line.Format("%.6f\r\n", value);
    m_owner.WriteString(line);
}

void CDataSourceDXFStream::WriteFloat(float value)
{
    WriteDouble(value);
}

void CDataSourceDXFStream::WriteInt(int32_t value)
{
    String line;
    line.Format(" %d\r\n", static_cast<int>(value));
    m_owner.WriteString(line);
}

void CDataSourceDXFStream::WriteShort(int16_t value)
{
    WriteInt(value);
}

}  // namespace ZAV
