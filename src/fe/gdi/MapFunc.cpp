#include "fe/gdi/MapFunc.h"

namespace fe::gdi {

void MapFunc::SetIdentity()
{
    m_offset = 0.0;
    m_ratio = 1.0;
}

}  // namespace fe::gdi
