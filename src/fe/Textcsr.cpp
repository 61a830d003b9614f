#include "fe/Textcsr.h"

#include <climits>

namespace fe {

int Textcsr::ReadUInt(int& value)
{
    value = 0;
    int digits = 0;
    for (; m_p->unicode() >= u'0' && m_p->unicode() <= u'9'; ++m_p, ++digits) {
        const int digit = m_p->unicode() - u'0';
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return digits;
}

}  // namespace fe
