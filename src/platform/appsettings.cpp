#include "platform/appsettings.h"

namespace mapwright {

CAppSettings& AppSettings()
{
    static CAppSettings settings;
    return settings;
}

}  // namespace mapwright
