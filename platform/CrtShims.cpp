#include "platform/CrtShims.h"

#include "platform/LastError.h"

#include <cerrno>
#include <strings.h>

errno_t fopen_s(FILE** file, const char* path, const char* mode)
{
    if (!file)
        return EINVAL;
    *file = nullptr;
    if (!path || !mode) {
        SetLastErrorFromErrno(EINVAL);
        return EINVAL;
    }
    *file = std::fopen(path, mode);
    if (!*file) {
        const int err = errno ? errno : EINVAL;
        SetLastErrorFromErrno(err);
        return err;
    }
    return 0;
}

int _stricmp(const char* a, const char* b)
{
    return strcasecmp(a, b);
}

int _strnicmp(const char* a, const char* b, size_t count)
{
    return strncasecmp(a, b, count);
}
