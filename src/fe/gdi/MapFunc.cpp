#include "fe/gdi/MapFunc.h"

namespace fe::gdi {

void MapFunc::SetIdentity()
{
    offset_ = 0.0;
    ratio_ = 1.0;
}

}  // namespace fe::gdi
