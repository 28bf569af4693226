#pragma once

#include "platform/image/color.h"

#include <QColor>

namespace tolv::gui {

// Between the project's 0x00BBGGRR colours and Qt's.
inline QColor ToQColor(Color color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

inline Color FromQColor(const QColor& color)
{
    return RGB(std::uint8_t(color.red()), std::uint8_t(color.green()), std::uint8_t(color.blue()));
}

}  // namespace tolv::gui
